// kernel/value.h
#ifndef KERNEL_VALUE_H
#define KERNEL_VALUE_H

#include <iosfwd>

#include "kernel/symbol.h"
#include "kernel/tree.h"

namespace UKernel {

// A value: an atom, a special atom, or a tree rooted in OR (alternatives; a
// leading BOX makes the disjunction open), NOT (excluded values) or MULTIPLE
// (a stack, top first). An empty value has no root.
class Value : public Toolbox::Tree<Symbol> {
 public:
  using Node = Toolbox::_TreeNode<Symbol>;

  Value() = default;
  explicit Value(const Symbol& atom) { insert(nullptr, 0, atom); }

  // Unifies the subtree at s with the subtree o of another value. With modify
  // the subtree at s is replaced by the result (s itself may be replaced, at
  // the same position); without it nothing changes. A failed unification
  // never changes anything. o must not lie inside this value.
  bool pseudoUnify(Node* s, const Node* o, bool modify);
  // The same on the roots; an empty side counts as no information.
  bool pseudoUnify(const Value& other, bool modify = true);
  // Read-only form of pseudoUnify(s, o, false).
  static bool unifiable(const Node* s, const Node* o);
  // The disjunction at s restricted by the negation o.
  bool puDifference(Node* s, const Node* o, bool modify);
  // s (not MULTIPLE) unified with the multiple value o.
  bool multiplePU(Node* s, const Node* o, bool modify);

  // Normal form: duplicate daughters removed, one-daughter OR and MULTIPLE
  // nodes dissolved. compact(n) returns the node now at n's position.
  void compact();
  Node* compact(Node* n);
  // Makes this the disjunction of itself and other.
  void mergeOr(const Value& other);

  // Stack operations; the top is the first member of a MULTIPLE root.
  void push(const Value& other);
  bool top(Value& out) const;
  bool pop();

  // Deletes the BOX nodes reachable through OR and MULTIPLE nodes.
  bool removeBox();
  bool removeBox(Node* n);

  bool isAtom() const { return root() && root()->size() == 0 && root()->data.readCode() >= 0; }

  // Equality of two value subtrees: same symbols, daughters matched as sets,
  // except below MULTIPLE where order counts.
  static bool equal(const Node* a, const Node* b);
  friend bool operator==(const Value& a, const Value& b) { return equal(a.root(), b.root()); }
  friend bool operator!=(const Value& a, const Value& b) { return !(a == b); }

 private:
  bool meet(Node* s, const Node* o, bool modify);
  bool distributive(Node* s, const Node* o, bool modify);
  void becomeCopy(Node* s, const Node* o) { replace(s, clone(o)); }
};

// Writes a value subtree: "(" text daughters ")" for a node with daughters,
// the text alone for a leaf, daughters separated by blanks.
void printValueNode(std::ostream& os, const Value::Node* n);
std::ostream& operator<<(std::ostream& os, const Value& v);

}  // namespace UKernel

#endif  // KERNEL_VALUE_H
