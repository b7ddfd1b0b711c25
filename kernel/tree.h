// kernel/tree.h
#ifndef KERNEL_TREE_H
#define KERNEL_TREE_H

#include <cassert>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define TOOLBOX_NODE_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOOLBOX_NODE_POOL 0
#endif
#endif
#ifndef TOOLBOX_NODE_POOL
#define TOOLBOX_NODE_POOL 1
#endif

namespace Toolbox {

// Recycles the memory of freed tree nodes of one size. Feature structures are
// copied and dropped constantly and their nodes are all alike, so a free list
// beats the general allocator. Each thread has its own list; the lists are
// never given back, like the memory of any allocator. Sanitizer builds use the
// general allocator so that misuse of freed nodes is still caught.
template <size_t Size>
class _NodePool {
 public:
  static void* take() {
    _NodePool& p = get();
    if (!p.head_) return ::operator new(Size);
    Link* l = p.head_;
    p.head_ = l->next;
    return l;
  }
  static void give(void* block) noexcept {
    _NodePool& p = get();
    Link* l = static_cast<Link*>(block);
    l->next = p.head_;
    p.head_ = l;
  }

 private:
  struct Link {
    Link* next;
  };
  static _NodePool& get() {
    // Never destroyed, so that trees destroyed late in the program's exit
    // still find it.
    thread_local _NodePool* pool = new _NodePool;
    return *pool;
  }
  Link* head_ = nullptr;
};

// One node of a Tree. Nodes own their daughters; the order of `daughters` is
// the order of the tree. Several daughters may carry equal data.
template <class T>
struct _TreeNode {
  T data;
  _TreeNode* mother = nullptr;
  std::vector<std::unique_ptr<_TreeNode>> daughters;

  explicit _TreeNode(const T& d) : data(d) {}

#if TOOLBOX_NODE_POOL
  static void* operator new(size_t size) {
    assert(size == sizeof(_TreeNode) && "nodes are not derived from");
    (void)size;
    return _NodePool<sizeof(_TreeNode)>::take();
  }
  static void operator delete(void* block) noexcept { _NodePool<sizeof(_TreeNode)>::give(block); }
#endif

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
//
// The root node lives inside the tree object, so a one-node tree (an atomic
// value) needs no allocation. The root keeps its address while the tree
// lives: a subtree put in the root's place moves its contents into the root
// node, and pointers to the replaced node must not be used afterwards.
template <class T>
class Tree {
 public:
  using Node = _TreeNode<T>;
  using NodePtr = std::unique_ptr<Node>;

  Tree() : root_(T()) {}
  Tree(const Tree& other) : root_(other.root_.data), hasRoot_(other.hasRoot_) {
    copyDaughters(root_, other.root_);
  }
  Tree(Tree&& other) noexcept : root_(T()) { take(other); }
  Tree& operator=(const Tree& other) {
    if (this != &other) {
      root_.data = other.root_.data;
      root_.daughters.clear();
      copyDaughters(root_, other.root_);
      hasRoot_ = other.hasRoot_;
    }
    return *this;
  }
  Tree& operator=(Tree&& other) noexcept {
    if (this != &other) take(other);
    return *this;
  }
  ~Tree() = default;

  Node* root() { return hasRoot_ ? &root_ : nullptr; }
  const Node* root() const { return hasRoot_ ? &root_ : nullptr; }
  Node* begin() { return root(); }
  const Node* begin() const { return root(); }
  bool hasRoot() const { return hasRoot_; }
  // Number of nodes.
  size_t size() const { return count(root()); }
  void clear() {
    root_.daughters.clear();
    root_.data = T();
    hasRoot_ = false;
  }
  void swapTree(Tree& other) noexcept {
    std::swap(root_.data, other.root_.data);
    std::swap(root_.daughters, other.root_.daughters);
    std::swap(hasRoot_, other.hasRoot_);
    relink(root_);
    relink(other.root_);
  }

  // A deep copy of the subtree at n (null for null).
  static NodePtr clone(const Node* n) {
    if (!n) return nullptr;
    NodePtr c(new Node(n->data));
    copyDaughters(*c, *n);
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
      root_.data = datum;
      hasRoot_ = true;
      return &root_;
    }
    return attach(mother, pos, NodePtr(new Node(datum)));
  }
  // A deep copy of sub at the position; at the root position it replaces the
  // whole tree.
  Node* insert(Node* mother, size_t pos, const Node* sub) {
    if (!mother) {
      root_.data = sub->data;
      root_.daughters.clear();
      copyDaughters(root_, *sub);
      hasRoot_ = true;
      return &root_;
    }
    return attach(mother, pos, clone(sub));
  }

  // Hangs an unattached subtree at the position.
  Node* attach(Node* mother, size_t pos, NodePtr sub) {
    if (!mother) return setRoot(std::move(sub));
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
      assert(n == &root_);
      NodePtr taken(new Node(root_.data));
      taken->daughters = std::move(root_.daughters);
      relink(*taken);
      clear();
      return taken;
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
    if (!n->mother) {
      clear();
      return 0;
    }
    size_t i = n->di();
    detach(n);
    return i;
  }
  void prune(Node* n) { erase(n); }

  // Puts repl in the place of n, which is destroyed; returns the node now at
  // that place.
  Node* replace(Node* n, NodePtr repl) {
    if (!n->mother) return setRoot(std::move(repl));
    Node* m = n->mother;
    size_t i = n->di();
    repl->mother = m;
    m->daughters[i] = std::move(repl);
    return m->daughters[i].get();
  }
  // Deletes n's siblings; n then takes its mother's place and the mother is
  // deleted. Returns the node now at the mother's place.
  Node* promote(Node* n) {
    Node* m = n->mother;
    assert(m && "the root cannot be promoted");
    NodePtr self = detach(n);
    return replace(m, std::move(self));
  }
  // A new node with datum takes n's place and n becomes its only daughter.
  // Returns the new node.
  Node* demote(Node* n, const T& datum) {
    Node* m = n->mother;
    size_t i = n->di();
    NodePtr self = detach(n);
    NodePtr fresh(new Node(datum));
    self->mother = fresh.get();
    fresh->daughters.push_back(std::move(self));
    if (!m) return setRoot(std::move(fresh));
    return attach(m, i, std::move(fresh));
  }
  void update(Node* n, const T& datum) { n->data = datum; }

 protected:
  // The root node takes over the contents of sub.
  Node* setRoot(NodePtr sub) {
    root_.data = std::move(sub->data);
    NodePtr keep = std::move(sub);  // the old daughters go when this is done
    root_.daughters.swap(keep->daughters);
    relink(root_);
    hasRoot_ = true;
    return &root_;
  }

 private:
  static void copyDaughters(Node& to, const Node& from) {
    to.daughters.reserve(from.daughters.size());
    for (const NodePtr& d : from.daughters) {
      to.daughters.push_back(clone(d.get()));
      to.daughters.back()->mother = &to;
    }
  }
  static void relink(Node& n) {
    for (NodePtr& d : n.daughters) d->mother = &n;
  }
  void take(Tree& other) {
    root_.data = std::move(other.root_.data);
    root_.daughters = std::move(other.root_.daughters);
    hasRoot_ = other.hasRoot_;
    relink(root_);
    other.clear();
  }

  Node root_;
  bool hasRoot_ = false;
};

}  // namespace Toolbox

#endif  // KERNEL_TREE_H
