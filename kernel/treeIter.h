// kernel/treeIter.h
#ifndef KERNEL_TREEITER_H
#define KERNEL_TREEITER_H

#include <cstddef>
#include <vector>

#include "kernel/tree.h"

namespace Toolbox {

// Designates one node, or none: the null iterator that ends every traversal.
// Remembers the last find so that findNext continues among daughters with the
// same datum.
template <class T>
class _TreeIteratorBase {
 public:
  using Node = _TreeNode<T>;

  _TreeIteratorBase() = default;
  explicit _TreeIteratorBase(Node* n) : node_(n) {}

  Node* node() const { return node_; }
  explicit operator bool() const { return node_ != nullptr; }
  T& operator*() const { return node_->data; }
  T* operator->() const { return &node_->data; }
  bool operator==(const _TreeIteratorBase& o) const { return node_ == o.node_; }
  bool operator!=(const _TreeIteratorBase& o) const { return node_ != o.node_; }

  size_t size() const { return node_->size(); }
  int depth() const { return node_->depth(); }
  _TreeIteratorBase& up() {
    node_ = node_->mother;
    return *this;
  }
  // First daughter whose datum equals d, or the null iterator.
  _TreeIteratorBase find(const T& d) {
    last_ = d;
    lastPos_ = 0;
    return findFrom();
  }
  // Next daughter with the datum of the last find.
  _TreeIteratorBase findNext() { return findFrom(); }

 private:
  _TreeIteratorBase findFrom() {
    Node* hit = node_->find(last_, lastPos_);
    lastPos_ = hit ? hit->di() + 1 : node_->size();
    return _TreeIteratorBase(hit);
  }

  Node* node_ = nullptr;
  T last_{};
  size_t lastPos_ = 0;
};

// A daughter position: a mother and the daughter before which something is
// inserted. index == size() is the end of the list; no mother is the root
// position.
template <class T>
struct _TreeDIterator {
  _TreeNode<T>* mother = nullptr;
  size_t index = 0;

  _TreeNode<T>* operator*() const { return mother->daughter(index); }
  _TreeDIterator& operator++() {
    ++index;
    return *this;
  }
  bool atEnd() const { return !mother || index >= mother->size(); }
};

template <class T>
_TreeDIterator<T> beginDaughters(_TreeNode<T>* n) {
  return _TreeDIterator<T>{n, 0};
}

// Node first, then its daughters in order, depth first.
struct PreorderAgenda {
  template <class Node>
  static void order(Node* n, std::vector<Node*>& out) {
    out.push_back(n);
    for (size_t i = 0; i < n->size(); ++i) order(n->daughter(i), out);
  }
};

// Daughters, in order, before their mother.
struct PostorderAgenda {
  template <class Node>
  static void order(Node* n, std::vector<Node*>& out) {
    for (size_t i = 0; i < n->size(); ++i) order(n->daughter(i), out);
    out.push_back(n);
  }
};

// Walks the subtree it was started on in the order of the agenda. The order
// is fixed when the walk starts, so the walk must not outlive changes to the
// subtree.
template <class T, class Agenda>
class _TreeIterator {
 public:
  using Node = _TreeNode<T>;
  explicit _TreeIterator(Node* start) {
    if (start) Agenda::order(start, order_);
  }
  Node* node() const { return pos_ < order_.size() ? order_[pos_] : nullptr; }
  explicit operator bool() const { return node() != nullptr; }
  _TreeIterator& operator++() {
    ++pos_;
    return *this;
  }

 private:
  std::vector<Node*> order_;
  size_t pos_ = 0;
};

// Walks down from a node along a list of data, at each step choosing a
// daughter whose datum equals the next element. `history` keeps the choices,
// so that next() can back up and try another daughter with an equal datum.
template <class T>
class _TreePathIterator {
 public:
  using Node = _TreeNode<T>;

  _TreePathIterator(Node* start, const std::vector<T>& path) : start_(start), path_(path) {
    descend();
  }
  // The node reached so far (the start when nothing was matched).
  Node* node() const { return history_.empty() ? start_ : history_.back(); }
  // Number of path elements not yet matched.
  size_t pathDist() const { return path_.size() - history_.size(); }
  // Backs up to the deepest choice that has an untried alternative and walks
  // on from there; false when no choice is left.
  bool next() {
    while (!history_.empty()) {
      Node* last = history_.back();
      history_.pop_back();
      Node* alt = last->mother->find(path_[history_.size()], last->di() + 1);
      if (alt) {
        history_.push_back(alt);
        descend();
        return true;
      }
    }
    return false;
  }

 private:
  void descend() {
    while (history_.size() < path_.size()) {
      Node* hit = node()->find(path_[history_.size()]);
      if (!hit) return;
      history_.push_back(hit);
    }
  }

  Node* start_;
  std::vector<T> path_;
  std::vector<Node*> history_;
};

}  // namespace Toolbox

#endif  // KERNEL_TREEITER_H
