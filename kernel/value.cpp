// kernel/value.cpp
#include "kernel/value.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace UKernel {

namespace {

using Node = Value::Node;
using NodePtr = Value::NodePtr;

enum class Shape { Atom, Or, Not, Multiple };

Shape shapeOf(const Node* n) {
  switch (n->data.readCode()) {
    case OR:
      return Shape::Or;
    case NOT:
      return Shape::Not;
    case MULTIPLE:
      return Shape::Multiple;
    default:
      return Shape::Atom;
  }
}

bool leadingBox(const Node* n) { return n->size() && n->first()->data.isSpecial(BOX); }

// Replaces the daughters of s by the given subtrees, in order.
void setDaughters(Node* s, std::vector<NodePtr> fresh) {
  s->daughters = std::move(fresh);
  for (NodePtr& d : s->daughters) d->mother = s;
}

// Unifies a detached copy of s with o; the result, or null on failure.
NodePtr unifiedCopy(const Node* s, const Node* o) {
  Value tmp;
  tmp.insert(nullptr, 0, s);
  if (!tmp.pseudoUnify(tmp.root(), o, true)) return nullptr;
  return tmp.detach(tmp.root());
}

}  // namespace

bool Value::unifiable(const Node* s, const Node* o) {
  Value scratch;  // never changed: modify is false
  return scratch.pseudoUnify(const_cast<Node*>(s), o, false);
}

bool Value::pseudoUnify(const Value& other, bool modify) {
  if (!other.root()) return true;
  if (!root()) {
    if (modify) *this = other;
    return true;
  }
  return pseudoUnify(root(), other.root(), modify);
}

bool Value::pseudoUnify(Node* s, const Node* o, bool modify) {
  Shape ss = shapeOf(s), os = shapeOf(o);
  if (ss == Shape::Multiple) return distributive(s, o, modify);
  if (os == Shape::Multiple) return multiplePU(s, o, modify);
  switch (ss) {
    case Shape::Atom:
      switch (os) {
        case Shape::Atom:
          return s->data.readCode() == o->data.readCode();
        case Shape::Or:
          if (leadingBox(o)) return true;
          for (const NodePtr& e : o->daughters)
            if (unifiable(s, e.get())) return true;
          return false;
        default:  // NOT
          for (const NodePtr& e : o->daughters)
            if (unifiable(s, e.get())) return false;
          return true;
      }
    case Shape::Or:
      switch (os) {
        case Shape::Atom:
          for (const NodePtr& d : s->daughters) {
            if (unifiable(d.get(), o)) {
              if (modify) becomeCopy(s, o);
              return true;
            }
          }
          return false;
        case Shape::Or:
          return meet(s, o, modify);
        default:
          return puDifference(s, o, modify);
      }
    default:  // NOT
      switch (os) {
        case Shape::Atom:
          for (const NodePtr& d : s->daughters)
            if (unifiable(d.get(), o)) return false;
          if (modify) becomeCopy(s, o);
          return true;
        case Shape::Or: {
          // The alternatives of o that s does not exclude.
          Value tmp;
          tmp.insert(nullptr, 0, o);
          if (!tmp.puDifference(tmp.root(), s, modify)) return false;
          if (modify) replace(s, tmp.detach(tmp.root()));
          return true;
        }
        default:  // NOT with NOT: the exclusions add up
          if (modify) {
            for (const NodePtr& e : o->daughters) attach(s, s->size(), clone(e.get()));
            compact(s);
          }
          return true;
      }
  }
}

// OR with OR: every pair of alternatives that unifies gives one alternative of
// the result, in the order produced, duplicates dropped.
bool Value::meet(Node* s, const Node* o, bool modify) {
  size_t firstE = leadingBox(o) ? 1 : 0;
  if (!modify) {
    if (firstE) return true;
    for (const NodePtr& d : s->daughters)
      for (const NodePtr& e : o->daughters)
        if (unifiable(d.get(), e.get())) return true;
    return false;
  }
  std::vector<NodePtr> kept;
  for (const NodePtr& d : s->daughters) {
    for (size_t j = firstE; j < o->size(); ++j) {
      const Node* e = o->daughter(j);
      if (!unifiable(d.get(), e)) continue;  // test before paying for a copy
      NodePtr r = unifiedCopy(d.get(), e);
      if (!r) continue;
      bool dup = std::any_of(kept.begin(), kept.end(),
                             [&](const NodePtr& k) { return equal(k.get(), r.get()); });
      if (!dup) kept.push_back(std::move(r));
    }
  }
  if (kept.empty()) return firstE == 1;
  if (kept.size() == 1) {
    replace(s, std::move(kept.front()));
  } else {
    setDaughters(s, std::move(kept));
  }
  return true;
}

// s MULTIPLE: every member of s is unified with o (with every member of o when
// o is MULTIPLE). The members of the result stand in the reverse of the order
// in which they were produced.
bool Value::distributive(Node* s, const Node* o, bool modify) {
  std::vector<const Node*> targets;
  if (shapeOf(o) == Shape::Multiple) {
    for (const NodePtr& e : o->daughters) targets.push_back(e.get());
  } else {
    targets.push_back(o);
  }
  if (!modify) {
    for (const NodePtr& d : s->daughters)
      for (const Node* e : targets)
        if (!unifiable(d.get(), e)) return false;
    return true;
  }
  std::vector<NodePtr> results;
  for (const NodePtr& d : s->daughters) {
    for (const Node* e : targets) {
      NodePtr r = unifiedCopy(d.get(), e);
      if (!r) return false;
      results.push_back(std::move(r));
    }
  }
  std::reverse(results.begin(), results.end());
  setDaughters(s, std::move(results));
  return true;
}

// s (not MULTIPLE) with the MULTIPLE o: s becomes a MULTIPLE whose members are
// s unified with each member of o, in reverse order of production. Every copy
// is taken from s as it was before the first change.
bool Value::multiplePU(Node* s, const Node* o, bool modify) {
  if (!modify) {
    for (const NodePtr& e : o->daughters)
      if (!unifiable(s, e.get())) return false;
    return true;
  }
  NodePtr snapshot = clone(s);
  std::vector<NodePtr> results;
  for (const NodePtr& e : o->daughters) {
    NodePtr r = unifiedCopy(snapshot.get(), e.get());
    if (!r) return false;
    results.push_back(std::move(r));
  }
  std::reverse(results.begin(), results.end());
  s->data = Symbol(MULTIPLE);
  setDaughters(s, std::move(results));
  return true;
}

// s OR restricted by the NOT o: alternatives that o excludes are dropped. A
// leading BOX stands for anything else: it becomes o itself when every named
// alternative is excluded, and is dropped otherwise.
bool Value::puDifference(Node* s, const Node* o, bool modify) {
  bool box = leadingBox(s);
  if (!modify) {
    if (box) return true;
    for (const NodePtr& d : s->daughters)
      if (unifiable(d.get(), o)) return true;
    return false;
  }
  size_t n = s->size();
  std::vector<bool> marked(n, false);
  bool anyKept = false;
  for (size_t i = box ? 1 : 0; i < n; ++i) {
    if (pseudoUnify(s->daughter(i), o, true)) {
      anyKept = true;
    } else {
      marked[i] = true;
    }
  }
  if (box) {
    if (anyKept) {
      marked[0] = true;
    } else {
      replace(s->daughter(0), clone(o));
      anyKept = true;
    }
  }
  if (!anyKept) return false;
  for (size_t i = n; i-- > 0;)
    if (marked[i]) erase(s->daughter(i));
  if (s->size() == 1) promote(s->daughter(0));
  return true;
}

void Value::compact() {
  if (root()) compact(root());
}

Value::Node* Value::compact(Node* n) {
  for (size_t i = 0; i < n->size(); ++i) compact(n->daughter(i));
  if (n->data.isSpecial(MULTIPLE)) {
    if (n->size() == 1) return promote(n->daughter(0));
    return n;
  }
  if (!n->size()) return n;
  for (size_t i = 1; i < n->size();) {
    bool dup = false;
    for (size_t j = 0; j < i && !dup; ++j) dup = equal(n->daughter(j), n->daughter(i));
    if (dup) {
      erase(n->daughter(i));
    } else {
      ++i;
    }
  }
  if (n->size() == 1 && !n->data.isSpecial(NOT)) return promote(n->daughter(0));
  return n;
}

void Value::mergeOr(const Value& other) {
  if (!other.root()) return;
  if (!root()) {
    *this = other;
    return;
  }
  if (!root()->data.isSpecial(OR)) demote(root(), Symbol(OR));
  Node* r = root();
  if (other.root()->data.isSpecial(OR)) {
    for (const NodePtr& e : other.root()->daughters) attach(r, r->size(), clone(e.get()));
  } else {
    attach(r, r->size(), clone(other.root()));
  }
  compact(r);
}

void Value::push(const Value& other) {
  if (!other.root()) return;
  if (!root()) {
    *this = other;
    return;
  }
  if (!root()->data.isSpecial(MULTIPLE)) demote(root(), Symbol(MULTIPLE));
  Node* r = root();
  if (other.root()->data.isSpecial(MULTIPLE)) {
    size_t pos = 0;
    for (const NodePtr& e : other.root()->daughters) attach(r, pos++, clone(e.get()));
  } else {
    attach(r, 0, clone(other.root()));
  }
}

bool Value::top(Value& out) const {
  if (root() && root()->data.isSpecial(MULTIPLE)) {
    out.clear();
    if (root()->size()) out.attach(nullptr, 0, clone(root()->first()));
  } else {
    out = *this;
  }
  return root() != nullptr;
}

bool Value::pop() {
  if (root() && root()->data.isSpecial(MULTIPLE) && root()->size() > 1) {
    erase(root()->first());
    if (root()->size() == 1) promote(root()->first());
  } else {
    clear();
  }
  return root() != nullptr;
}

bool Value::removeBox() { return root() && removeBox(root()); }

bool Value::removeBox(Node* n) {
  int code = n->data.readCode();
  if (code != OR && code != MULTIPLE) return false;
  bool any = false;
  for (size_t i = 0; i < n->size();) {
    Node* d = n->daughter(i);
    if (d->data.isSpecial(BOX)) {
      erase(d);
      any = true;
      continue;
    }
    if (removeBox(d)) any = true;
    ++i;
  }
  return any;
}

bool Value::equal(const Node* a, const Node* b) {
  if (!a || !b) return a == b;
  if (a->data != b->data || a->size() != b->size()) return false;
  size_t n = a->size();
  if (a->data.isSpecial(MULTIPLE)) {
    for (size_t i = 0; i < n; ++i)
      if (!equal(a->daughter(i), b->daughter(i))) return false;
    return true;
  }
  // Equality is an equivalence, so matching greedily finds a matching when
  // one exists.
  std::vector<bool> used(n, false);
  for (size_t i = 0; i < n; ++i) {
    bool found = false;
    for (size_t j = 0; j < n && !found; ++j) {
      if (!used[j] && equal(a->daughter(i), b->daughter(j))) used[j] = found = true;
    }
    if (!found) return false;
  }
  return true;
}

void printValueNode(std::ostream& os, const Value::Node* n) {
  if (!n->size()) {
    os << n->data;
    return;
  }
  os << '(' << n->data;
  for (const auto& d : n->daughters) {
    os << ' ';
    printValueNode(os, d.get());
  }
  os << ')';
}

std::ostream& operator<<(std::ostream& os, const Value& v) {
  if (v.root()) printValueNode(os, v.root());
  return os;
}

}  // namespace UKernel
