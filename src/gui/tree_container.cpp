#include "gui/tree_container.h"

#include <utility>

TreeIterator& TreeIterator::operator++() {
  if (!node) return *this;
  if (!skipChildren && node->firstChild) {
    node = node->firstChild;
    return *this;
  }
  skipChildren = false;
  while (node && !node->next) node = node->parent;
  if (node) node = node->next;
  return *this;
}

TreeContainer::TreeContainer() {
  nodes_.resize(2);
  head_ = &nodes_[0];
  foot_ = &nodes_[1];
  head_->next = foot_;
  foot_->previous = head_;
}

TreeNode* TreeContainer::NewNode(const TreeRow& row) {
  TreeNode& node = nodes_.emplace_back();
  node.row = row;
  ++count_;
  numbered_ = false;
  return &node;
}

// Puts node before `before` among the children of parent (the top level for null).
void TreeContainer::Link(TreeNode* node, TreeNode* before, TreeNode* parent) {
  node->parent = parent;
  node->depth = parent ? parent->depth + 1 : 0;
  node->next = before;
  node->previous = before ? before->previous : (parent ? parent->lastChild : nullptr);
  if (before) before->previous = node;
  if (node->previous) {
    node->previous->next = node;
  } else if (parent) {
    parent->firstChild = node;
  }
  if (parent && !before) parent->lastChild = node;
}

TreeIterator TreeContainer::Insert(TreeIterator position, const TreeRow& row) {
  TreeNode* before = position.node ? position.node : foot_;
  if (before == head_) before = head_->next;
  TreeNode* node = NewNode(row);
  Link(node, before, before->parent);
  return TreeIterator{node};
}

TreeIterator TreeContainer::AppendChild(TreeIterator parent, const TreeRow& row) {
  if (!parent.node || parent.node == head_ || parent.node == foot_) return Insert(TreeIterator{}, row);
  TreeNode* node = NewNode(row);
  Link(node, nullptr, parent.node);
  return TreeIterator{node};
}

void TreeContainer::Clear() {
  nodes_.resize(2);
  head_->next = foot_;
  foot_->previous = head_;
  count_ = 0;
  numbered_ = true;
}

TreeIterator TreeContainer::Advance(TreeIterator position, size_t n) const {
  for (; n > 0 && position.node && position.node != foot_; --n) ++position;
  return position;
}

void TreeContainer::Renumber() const {
  uint32_t index = 0;
  for (TreeIterator it = Begin(); it.node && it.node != foot_; ++it) it.node->index = index++;
  numbered_ = true;
}

TreeNode* TreeContainer::RowAt(size_t i) const {
  if (i >= count_) return nullptr;
  return Advance(Begin(), i).node;
}

uint32_t TreeContainer::IndexOf(const TreeNode* node) const {
  if (!numbered_) Renumber();
  return node->index;
}

void TreeContainer::Swap(TreeContainer& other) {
  nodes_.swap(other.nodes_);
  std::swap(head_, other.head_);
  std::swap(foot_, other.foot_);
  std::swap(count_, other.count_);
  std::swap(numbered_, other.numbered_);
}
