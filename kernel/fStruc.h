// kernel/fStruc.h
#ifndef KERNEL_FSTRUC_H
#define KERNEL_FSTRUC_H

#include <deque>
#include <functional>
#include <iosfwd>
#include <vector>

#include "kernel/path.h"
#include "kernel/symbol.h"
#include "kernel/tree.h"
#include "kernel/value.h"

namespace UKernel {

enum CollectCode { CL_FAIL = 0, CL_BOX = 1, CL_SUCC = 2 };

struct _BlueprintEntry {
  bool endTreeFlag = false;  // closes a group
  Symbol sym;                // UNKNOWN: a reached node; OR or MULTIPLE: opens a group; BOX
  const Toolbox::_TreeNode<Feature>* iter = nullptr;  // the reached node
};

// What a gathering walk reached: entries in walk order, groups bracketed.
struct Blueprint {
  std::vector<_BlueprintEntry> entries;
  bool setFlag = false;  // an entry has been recorded
  bool vFlag = false;    // the recorded entries are value nodes

  // The one reached node when the walk met no group.
  bool single() const { return entries.size() == 1; }
};

// A feature structure: a tree of named features whose value nodes point into
// the structure's own value list. A structure always has a root; the empty
// structure is a lone root without a value. Below a structure node, daughters
// named OR are the alternatives of a disjunction and daughters named MULTIPLE
// the members of a multiple group (top first); BOX stands for an unknown
// alternative or member.
class FStruc : public Toolbox::Tree<Feature> {
 public:
  using Node = Toolbox::_TreeNode<Feature>;
  enum class Kind { Value, Plain, Or, Multiple };

  // What a modifying walk does where the path ends: at the reached node, at
  // the structure node that lacks the next feature, or at a value node met
  // before the end (the size_t is the index of the first unwalked element).
  using ExistFunc = std::function<bool(Node*)>;
  using MissFunc = std::function<bool(Node*, size_t)>;
  using ReadFunc = std::function<bool(const Node*)>;
  using ReadMissFunc = std::function<bool(const Node*, size_t)>;
  struct ModifyOps {
    ExistFunc exist;
    MissFunc notExist;
    MissFunc vBlock;
    // Optional: the results the three will give, found without changing
    // anything. With them a walk through a multiple group tests first and
    // then works on the members in place rather than on copies.
    ReadFunc willExist;
    ReadMissFunc willMiss;
    ReadMissFunc willBlock;
  };

  FStruc();
  explicit FStruc(const Symbol& name);
  FStruc(const FStruc& other);
  // A moved-from structure is left empty.
  FStruc(FStruc&& other) noexcept;
  FStruc& operator=(const FStruc& other);
  FStruc& operator=(FStruc&& other) noexcept;
  // A copy of the subtree at n of other; its root takes n's Feature.
  FStruc(const FStruc& other, const Node* n);

  void swap(FStruc& other) noexcept;
  void clear();
  void copy(const FStruc& other) { *this = other; }
  void copy(const FStruc& other, const Node* n);

  void setName(const Symbol& s) { name = s; }
  const Symbol& readName() const { return name; }
  bool empty() const { return !root()->size() && !root()->data.isValue(); }
  bool isValue() const { return root()->data.isValue(); }
  // A structure with features (neither atomic nor empty).
  bool isComplex() const { return !isValue() && root()->size() > 0; }

  const Value& value(const Node* n) const { return vList[static_cast<size_t>(n->data.vi)]; }
  Value& value(Node* n) { return vList[static_cast<size_t>(n->data.vi)]; }
  static Kind kindOf(const Node* n);
  // Turns n into a value node holding a copy of v (its contents discarded).
  void makeValueNode(Node* n, const Value& v);

  bool isAtomValue(const Path& path, Symbol& symbol) const;
  bool getValue(const Path& path, Value& out) const;
  bool getFS(const Path& path, FStruc& out) const;

  // Normalising operations. The node forms return the node now in n's place.
  void compact() { compact(root()); }
  Node* compact(Node* n);
  bool removeBox() { return removeBox(root()); }
  bool removeBox(Node* n);
  Node* reduceToAtomFS(Node* n);
  Node* reduceToAtomFSIfPossible(Node* n);

  // Equality of two subtrees whose roots are taken as equal.
  static bool isomorphicSameRoot(const FStruc& fa, const Node* a, const FStruc& fb, const Node* b);
  // The same, but value nodes match when their values unify.
  static bool isomorphicSameRootRelaxed(const FStruc& fa, const Node* a, const FStruc& fb,
                                        const Node* b);

  // Makes this the disjunction of itself and other.
  void mergeOr(const FStruc& other);

  // Path walks. modifyPath filters disjunctions and works on copies of the
  // members of multiple groups; runPath changes nothing.
  bool modifyPath(Node* start, const Path& path, size_t i, const ModifyOps& ops);
  bool runPath(const Node* start, const Path& path, size_t i, const ReadFunc& op) const;
  // Gathers what path reaches. boxSucc decides whether a missing path counts
  // as a box (no information) or as failure; popTop records the first member
  // of a multiple group that the path reaches instead of the group.
  CollectCode collect(const Node* start, const Path& path, size_t i, Blueprint& bp, bool boxSucc,
                      bool popTop = false) const;
  CollectCode collectBlueprint(const Path& path, Blueprint& bp, bool boxSucc,
                               bool popTop = false) const {
    return collect(root(), path, 0, bp, boxSucc, popTop);
  }
  // Rebuild one value or structure from a blueprint of this structure.
  // collectValue reports whether a box was inserted; with topOnly each
  // reached value contributes only its top.
  bool collectValue(const Blueprint& bp, Value& out, bool topOnly = false) const;
  void collectFS(const Blueprint& bp, FStruc& out) const;

  // Unification and the other operations; this structure is the left side.
  bool pseudoUnify(const Path& path, const Value& v);
  bool constrain(const Path& path, const Value& v);
  bool test(const Path& path, const Value& v) { return constrain(path, v); }
  bool constrainNoFilter(const Path& path, const Value& v) const;
  bool testNoFilter(const Path& path, const Value& v) const { return constrainNoFilter(path, v); }
  bool isomorphism(const Path& path, const Value& v);
  bool isomorphismNoFilter(const Path& path, const Value& v) const;
  bool assign(const Path& path, const Value& v);

  bool pseudoUnify(const Path& path, const FStruc& right, const Path& rightPath, bool flag);
  bool constrain(const Path& path, const FStruc& right, const Path& rightPath);
  bool constrainNoFilter(const Path& path, const FStruc& right, const Path& rightPath);
  bool test(const Path& path, const FStruc& right, const Path& rightPath);
  bool testNoFilter(const Path& path, const FStruc& right, const Path& rightPath);
  bool isomorphism(const Path& path, const FStruc& right, const Path& rightPath);
  bool isomorphismNoFilter(const Path& path, const FStruc& right, const Path& rightPath);
  bool assign(const Path& path, const FStruc& right, const Path& rightPath);
  bool push(const Path& path, const FStruc& right, const Path& rightPath);
  bool pop(const Path& path, FStruc& right, const Path& rightPath);

  bool isDefined(const Path& path);
  bool isUndefined(const Path& path);
  bool isNumber(const Path& path);
  bool isInteger(const Path& path);
  bool isPositive(const Path& path);
  bool remove(const Path& path);

  // Node-level structure unification of L (in this) with R (in src); on
  // failure L is unchanged. src must not be this structure.
  bool pseudoUnify(Node* l, const FStruc& src, const Node* r);
  // Read-only: would pseudoUnify(l, src, r) succeed?
  bool unifiable(const Node* l, const FStruc& src, const Node* r) const;
  // Read-only check that r's information is present and compatible in l.
  bool test(const Node* l, const FStruc& src, const Node* r, bool flag = false) const;

  // On by default: the indented text form with the name prefix.
  static bool indentPrint;
  void printIter(std::ostream& os, const Node* n) const;

 private:
  enum class RightOp { Constrain, Test, Iso };

  int newValue(const Value& v);
  void releaseValues(Node* n);
  void eraseNode(Node* n);
  Node* replaceNode(Node* n, NodePtr repl);
  Node* promoteKeepName(Node* member);
  // A copy of the subtree n of src, its values entered into this structure.
  NodePtr importSubtree(const FStruc& src, const Node* n);
  void importInto(Node& to, const FStruc& src, const Node* n);
  void clearContents(Node* n);
  Node* createPath(Node* n, const Path& path, size_t i);

  bool walkOr(Node* n, const Path& path, size_t i, const ModifyOps& ops);
  bool walkMultiple(Node* n, const Path& path, size_t i, const ModifyOps& ops);
  bool predictPath(const Node* n, const Path& path, size_t i, const ModifyOps& ops) const;
  void applyUnify(Node* l, const FStruc& src, const Node* r);
  bool unifyToPath(const Path& path, const FStruc& src, const Node* r);
  bool byRight(const Path& path, const FStruc& right, const Path& rightPath, RightOp op,
               bool filter);
  bool checkRight(const Node* l, const FStruc& src, const Node* r, RightOp op) const;
  bool removeWalk(Node* start, const Path& path, size_t i);
  void removeTop(const Path& path);
  void printOneLine(std::ostream& os, const Node* n) const;
  friend std::ostream& operator<<(std::ostream& os, const FStruc& fs);

  Symbol name;
  std::deque<Value> vList;  // a deque: entries never move when it grows
  std::vector<int> freeSlots;
};

std::ostream& operator<<(std::ostream& os, const FStruc& fs);

}  // namespace UKernel

#endif  // KERNEL_FSTRUC_H
