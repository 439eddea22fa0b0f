#pragma once
// TreeContainer: an n-ary tree of rows (TreeRow), kept as linked nodes between two sentinel
// nodes, head and foot, that carry no row. The top-level nodes are the siblings between them and
// have no parent. Iteration is pre-order; every walk stops at the foot (or null), never past it.
//
// Nodes are owned by their container and keep their addresses until Clear; a tree view reads the
// nodes each frame, so whoever changes a container that a view shows does it under the lock the
// frame holds (the trees of the loaded model: the frame mutex).
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// One row's data. kind picks the text colour: -1 default, 1 green, 2 light grey, 3 red (other
// values draw like -1).
struct TreeRow {
  TreeRow() = default;
  TreeRow(std::string text, std::string icon, int32_t kind = -1, bool connector = false)
      : text(std::move(text)), icon(std::move(icon)), connector(connector), kind(kind) {}

  std::string text;     // the whole text; only drawing cuts it (at the view's clip)
  std::string icon;     // GUI texture name; empty for none
  bool connector = false;  // draw the dotted line that joins the row to the row above it
  int32_t kind = -1;
};

struct TreeNode {
  TreeNode* parent = nullptr;
  TreeNode* firstChild = nullptr;
  TreeNode* lastChild = nullptr;
  TreeNode* previous = nullptr;
  TreeNode* next = nullptr;
  TreeRow row;
  // Kept by the container and the views: the pre-order index (valid while the container's
  // numbering is), the depth (parent links) and the text width last measured (-1 none yet).
  uint32_t index = 0;
  uint32_t depth = 0;
  float textWidth = -1.0f;
};

// A position in a tree: a node, or null past the end. Steps are pre-order.
struct TreeIterator {
  TreeNode* node = nullptr;
  bool skipChildren = false;

  // One pre-order step: into the first child (unless skipping children), else to the next
  // sibling, climbing to the parents while there is none; past the top gives null. From the last
  // top-level node the step reaches the foot.
  TreeIterator& operator++();
  TreeRow* operator->() const { return &node->row; }
  explicit operator bool() const { return node != nullptr; }
};

class TreeContainer {
 public:
  TreeContainer();
  TreeContainer(const TreeContainer&) = delete;
  TreeContainer& operator=(const TreeContainer&) = delete;

  // A new node holding a copy of row, inserted as the previous sibling of position's node, with
  // its parent; a null position means the foot (a new last top-level row).
  TreeIterator Insert(TreeIterator position, const TreeRow& row);
  // A new node holding a copy of row as the last child of parent's node.
  TreeIterator AppendChild(TreeIterator parent, const TreeRow& row);
  // Deletes every row.
  void Clear();
  // Every row, however deep. Constant time.
  size_t CountRows() const { return count_; }
  // The first top-level node (the foot when the tree is empty) and the foot.
  TreeIterator Begin() const { return TreeIterator{head_->next}; }
  TreeNode* Foot() const { return foot_; }
  // n pre-order steps from position; stops at the foot (or null) however large n is.
  TreeIterator Advance(TreeIterator position, size_t n) const;
  // The node of pre-order index i, or null when i >= CountRows().
  TreeNode* RowAt(size_t i) const;
  // The pre-order index of a node of this container (renumbers once after changes).
  uint32_t IndexOf(const TreeNode* node) const;
  // Exchanges the rows of the two containers; nodes keep their addresses.
  void Swap(TreeContainer& other);

 private:
  TreeNode* NewNode(const TreeRow& row);
  void Link(TreeNode* node, TreeNode* before, TreeNode* parent);
  void Renumber() const;

  std::deque<TreeNode> nodes_;  // sentinels first; stable addresses
  TreeNode* head_;
  TreeNode* foot_;
  size_t count_ = 0;
  mutable bool numbered_ = true;
};
