#pragma once
// InfluenceList: the bone influences of one vertex, a std::vector-like list of uint32 that keeps
// up to four values inside itself. Real vertices carry at most three influences, so a model's
// tens of thousands of vertices need no allocation each; longer lists (Cod BO allows 255) go to
// the heap. Supports what users of a vector of influences need: size, indexing, iteration,
// data, resize, assign, push_back, clear and comparison.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>

class InfluenceList {
 public:
  static constexpr size_t kInlineCapacity = 4;

  InfluenceList() = default;
  InfluenceList(std::initializer_list<uint32_t> values) { assign(values.begin(), values.size()); }
  InfluenceList(const InfluenceList& other) { assign(other.data(), other.size()); }
  InfluenceList(InfluenceList&& other) noexcept { MoveFrom(other); }
  InfluenceList& operator=(const InfluenceList& other) {
    if (this != &other) assign(other.data(), other.size());
    return *this;
  }
  InfluenceList& operator=(InfluenceList&& other) noexcept {
    if (this != &other) MoveFrom(other);
    return *this;
  }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  uint32_t* data() { return heap_ ? heap_.get() : inline_; }
  const uint32_t* data() const { return heap_ ? heap_.get() : inline_; }
  uint32_t& operator[](size_t i) { return data()[i]; }
  const uint32_t& operator[](size_t i) const { return data()[i]; }
  uint32_t* begin() { return data(); }
  uint32_t* end() { return data() + size_; }
  const uint32_t* begin() const { return data(); }
  const uint32_t* end() const { return data() + size_; }

  // Replaces the values with count values copied from values.
  void assign(const uint32_t* values, size_t count) {
    Reserve(count, false);
    std::copy(values, values + count, data());
    size_ = count;
  }
  // Replaces the values with count values stored in bytes (little-endian, any alignment).
  void AssignBytes(const void* bytes, size_t count) {
    Reserve(count, false);
    std::memcpy(data(), bytes, count * sizeof(uint32_t));
    size_ = count;
  }
  // New values are 0.
  void resize(size_t count) {
    Reserve(count, true);
    if (count > size_) std::fill(data() + size_, data() + count, 0u);
    size_ = count;
  }
  void push_back(uint32_t value) {
    if (size_ == capacity_) Reserve(capacity_ * 2, true);
    data()[size_++] = value;
  }
  void clear() { size_ = 0; }

  friend bool operator==(const InfluenceList& a, const InfluenceList& b) {
    return a.size_ == b.size_ && std::equal(a.begin(), a.end(), b.begin());
  }

 private:
  void Reserve(size_t count, bool keep) {
    if (count <= capacity_) return;
    std::unique_ptr<uint32_t[]> grown(new uint32_t[count]);
    if (keep) std::copy(begin(), end(), grown.get());
    heap_ = std::move(grown);
    capacity_ = count;
  }
  void MoveFrom(InfluenceList& other) {
    heap_ = std::move(other.heap_);
    std::copy(other.inline_, other.inline_ + kInlineCapacity, inline_);
    size_ = other.size_;
    capacity_ = heap_ ? other.capacity_ : kInlineCapacity;
    other.size_ = 0;
    other.capacity_ = kInlineCapacity;
  }

  uint32_t inline_[kInlineCapacity] = {};
  std::unique_ptr<uint32_t[]> heap_;
  size_t size_ = 0;
  size_t capacity_ = kInlineCapacity;
};
