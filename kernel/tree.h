// kernel/tree.h
#ifndef KERNEL_TREE_H
#define KERNEL_TREE_H

#include <cassert>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace Toolbox {

// One node of a Tree. Nodes own their daughters; the order of `daughters` is
// the order of the tree. Several daughters may carry equal data.
template <class T>
struct _TreeNode {
  T data;
  _TreeNode* mother = nullptr;
  std::vector<std::unique_ptr<_TreeNode>> daughters;

  explicit _TreeNode(const T& d) : data(d) {}

  size_t size() const { return daughters.size(); }
  _TreeNode* daughter(size_t i) const { return daughters[i].get(); }
  _TreeNode* first() const { return daughters.empty() ? nullptr : daughters.front().get(); }
  // Position among the mother's daughters (0 for a root).
  size_t di() const {
    if (!mother) return 0;
    for (size_t i = 0; i < mother->daughters.size(); ++i)
      if (mother->daughters[i].get() == this) return i;
    assert(false && "a node is always among its mother's daughters");
    return 0;
  }
  int depth() const {
    int d = 0;
    for (const _TreeNode* n = mother; n; n = n->mother) ++d;
    return d;
  }
  // First daughter at position from or later whose datum equals d under <.
  _TreeNode* find(const T& d, size_t from = 0) const {
    for (size_t i = from; i < daughters.size(); ++i) {
      const T& x = daughters[i]->data;
      if (!(x < d) && !(d < x)) return daughters[i].get();
    }
    return nullptr;
  }
};

// An ordered tree that owns its nodes; copying copies every node. A position
// for insertion is a mother and an index among its daughters; a null mother
// designates the root position.
template <class T>
class Tree {
 public:
  using Node = _TreeNode<T>;
  using NodePtr = std::unique_ptr<Node>;

  Tree() = default;
  Tree(const Tree& other) : root_(clone(other.root_.get())) {}
  Tree(Tree&&) noexcept = default;
  Tree& operator=(const Tree& other) {
    if (this != &other) root_ = clone(other.root_.get());
    return *this;
  }
  Tree& operator=(Tree&&) noexcept = default;
  ~Tree() = default;

  Node* root() const { return root_.get(); }
  Node* begin() const { return root_.get(); }
  bool hasRoot() const { return root_ != nullptr; }
  // Number of nodes.
  size_t size() const { return count(root_.get()); }
  void clear() { root_.reset(); }

  // A deep copy of the subtree at n (null for null).
  static NodePtr clone(const Node* n) {
    if (!n) return nullptr;
    NodePtr c(new Node(n->data));
    c->daughters.reserve(n->daughters.size());
    for (const NodePtr& d : n->daughters) {
      c->daughters.push_back(clone(d.get()));
      c->daughters.back()->mother = c.get();
    }
    return c;
  }
  static size_t count(const Node* n) {
    if (!n) return 0;
    size_t k = 1;
    for (const NodePtr& d : n->daughters) k += count(d.get());
    return k;
  }

  // A new leaf at the position. At the root position the root's datum is
  // replaced, or the root is created in an empty tree.
  Node* insert(Node* mother, size_t pos, const T& datum) {
    if (!mother) {
      if (root_) {
        root_->data = datum;
      } else {
        root_.reset(new Node(datum));
      }
      return root_.get();
    }
    return attach(mother, pos, NodePtr(new Node(datum)));
  }
  // A deep copy of sub at the position; at the root position it replaces the
  // whole tree.
  Node* insert(Node* mother, size_t pos, const Node* sub) { return attach(mother, pos, clone(sub)); }

  // Hangs an unattached subtree at the position.
  Node* attach(Node* mother, size_t pos, NodePtr sub) {
    if (!mother) {
      root_ = std::move(sub);
      root_->mother = nullptr;
      return root_.get();
    }
    assert(pos <= mother->daughters.size() && "insert position past the end");
    sub->mother = mother;
    Node* raw = sub.get();
    mother->daughters.insert(mother->daughters.begin() + static_cast<std::ptrdiff_t>(pos),
                             std::move(sub));
    return raw;
  }
  // Takes the subtree at n out of the tree and hands it over.
  NodePtr detach(Node* n) {
    if (!n->mother) {
      assert(n == root_.get());
      return std::move(root_);
    }
    auto& list = n->mother->daughters;
    size_t i = n->di();
    NodePtr taken = std::move(list[i]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    taken->mother = nullptr;
    return taken;
  }
  // Removes the subtree at n; returns the position of its next sibling (the
  // index it had). Erasing the root clears the tree.
  size_t erase(Node* n) {
    size_t i = n->di();
    detach(n);
    return i;
  }
  void prune(Node* n) { erase(n); }

  // Puts repl in the place of n, which is destroyed; returns repl.
  Node* replace(Node* n, NodePtr repl) {
    if (!n->mother) {
      root_ = std::move(repl);
      root_->mother = nullptr;
      return root_.get();
    }
    Node* m = n->mother;
    size_t i = n->di();
    repl->mother = m;
    m->daughters[i] = std::move(repl);
    return m->daughters[i].get();
  }
  // Deletes n's siblings; n then takes its mother's place and the mother is
  // deleted. Returns n.
  Node* promote(Node* n) {
    Node* m = n->mother;
    assert(m && "the root cannot be promoted");
    NodePtr self = detach(n);
    return replace(m, std::move(self));
  }
  // A new node with datum takes n's place and n becomes its only daughter.
  Node* demote(Node* n, const T& datum) {
    Node* m = n->mother;
    size_t i = n->di();
    NodePtr self = detach(n);
    NodePtr fresh(new Node(datum));
    self->mother = fresh.get();
    fresh->daughters.push_back(std::move(self));
    if (!m) return attach(nullptr, 0, std::move(fresh));
    return attach(m, i, std::move(fresh));
  }
  void update(Node* n, const T& datum) { n->data = datum; }

 protected:
  NodePtr root_;
};

}  // namespace Toolbox

#endif  // KERNEL_TREE_H
