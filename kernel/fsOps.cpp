// kernel/fsOps.cpp: unification and the other operations on feature structures.
#include <algorithm>
#include <utility>

#include "kernel/fStruc.h"

namespace UKernel {

namespace {

using Node = FStruc::Node;
using NodePtr = FStruc::NodePtr;
using Kind = FStruc::Kind;

bool fail(Node*, size_t) { return false; }
bool succeed(Node*, size_t) { return true; }
bool willFail(const Node*, size_t) { return false; }
bool willSucceed(const Node*, size_t) { return true; }
bool always(const Node*) { return true; }

// An empty value carries no information and unifies with anything.
bool valuesUnify(const Value& a, const Value& b) {
  if (!a.root() || !b.root()) return true;
  return Value::unifiable(a.root(), b.root());
}

bool leadingBox(const Node* n) { return n->size() && n->first()->data.name.isSpecial(BOX); }

// The alternatives of n when it is a disjunction, else n itself; members()
// likewise for multiple groups. Views, so that no list is built.
struct Alts {
  const Node* n;
  bool group;
  size_t size() const { return group ? n->size() : 1; }
  const Node* operator[](size_t i) const { return group ? n->daughter(i) : n; }
};
Alts alternatives(const Node* n) { return {n, FStruc::kindOf(n) == Kind::Or}; }
Alts members(const Node* n) { return {n, FStruc::kindOf(n) == Kind::Multiple}; }
bool isBox(const Node* n) { return n->data.name.isSpecial(BOX); }

void adopt(Node* mother, std::vector<NodePtr> fresh) {
  mother->daughters = std::move(fresh);
  for (NodePtr& d : mother->daughters) d->mother = mother;
}

}  // namespace

// ---- structure unification ----

bool FStruc::unifiable(const Node* l, const FStruc& src, const Node* r) const {
  if (l->data.isValue() || r->data.isValue()) {
    return l->data.isValue() && r->data.isValue() && valuesUnify(value(l), src.value(r));
  }
  Kind kl = kindOf(l), kr = kindOf(r);
  if (kl == Kind::Multiple) {
    Alts targets = members(r);
    for (const NodePtr& m : l->daughters)
      for (size_t j = 0; j < targets.size(); ++j)
        if (!unifiable(m.get(), src, targets[j])) return false;
    return true;
  }
  if (kr == Kind::Multiple) {
    for (const NodePtr& t : r->daughters)
      if (!unifiable(l, src, t.get())) return false;
    return true;
  }
  if (kl == Kind::Plain && kr == Kind::Plain) {
    for (const NodePtr& rf : r->daughters) {
      const Node* lf = l->find(rf->data);
      if (!lf) continue;
      if (lf->data.isValue() != rf->data.isValue()) return false;
      if (!unifiable(lf, src, rf.get())) return false;
    }
    return true;
  }
  Alts las = alternatives(l), ras = alternatives(r);
  for (size_t i = 0; i < las.size(); ++i)
    for (size_t j = 0; j < ras.size(); ++j)
      if (!isBox(ras[j]) && unifiable(las[i], src, ras[j])) return true;
  return kr == Kind::Or && leadingBox(r);
}

bool FStruc::pseudoUnify(Node* l, const FStruc& src, const Node* r) {
  if (!unifiable(l, src, r)) return false;
  applyUnify(l, src, r);
  return true;
}

// Unifies r into l; the caller has made sure that it succeeds, so every step
// works in place and nothing needs to be undone. l itself stays where it is.
void FStruc::applyUnify(Node* l, const FStruc& src, const Node* r) {
  if (l->data.isValue()) {
    value(l).pseudoUnify(src.value(r), true);
    return;
  }
  Kind kl = kindOf(l), kr = kindOf(r);
  if (kl == Kind::Multiple) {
    // Every member with r (with every member of r), results in reverse order
    // of production.
    if (kr == Kind::Multiple) {
      std::vector<NodePtr> results;
      for (const NodePtr& m : l->daughters) {
        for (const NodePtr& t : r->daughters) {
          NodePtr c = importSubtree(*this, m.get());
          applyUnify(c.get(), src, t.get());
          results.push_back(std::move(c));
        }
      }
      std::reverse(results.begin(), results.end());
      clearContents(l);
      adopt(l, std::move(results));
    } else {
      for (const NodePtr& m : l->daughters) applyUnify(m.get(), src, r);
      std::reverse(l->daughters.begin(), l->daughters.end());
    }
    return;
  }
  if (kr == Kind::Multiple) {
    // l becomes a multiple group of l unified with each member of r; every
    // copy is taken from l as it was before.
    std::vector<NodePtr> results;
    for (const NodePtr& t : r->daughters) {
      NodePtr c = importSubtree(*this, l);
      c->data = Feature(Symbol(MULTIPLE));
      applyUnify(c.get(), src, t.get());
      results.push_back(std::move(c));
    }
    std::reverse(results.begin(), results.end());
    clearContents(l);
    adopt(l, std::move(results));
    return;
  }
  if (kl == Kind::Plain && kr == Kind::Plain) {
    for (const NodePtr& rf : r->daughters) {
      Node* lf = l->find(rf->data);
      if (!lf) {
        attach(l, l->size(), importSubtree(src, rf.get()));
      } else {
        applyUnify(lf, src, rf.get());
      }
    }
    return;
  }
  // A disjunction on either side: one alternative for every pair that
  // unifies, equal results merged, a single result in place of the group.
  Alts ras = alternatives(r);
  const Node* onlyRight = nullptr;
  size_t named = 0;
  for (size_t j = 0; j < ras.size(); ++j) {
    if (!isBox(ras[j])) {
      onlyRight = ras[j];
      ++named;
    }
  }
  if (named == 1) {
    // Each alternative of l pairs with one alternative at most: unify the
    // alternatives in place instead of building copies.
    if (kl != Kind::Or) {
      applyUnify(l, src, onlyRight);
      return;
    }
    std::vector<bool> keep(l->size());
    bool any = false;
    for (size_t i = 0; i < l->size(); ++i)
      any |= keep[i] = unifiable(l->daughter(i), src, onlyRight);
    if (!any) return;  // r was open: l stays as it was
    for (size_t i = l->size(); i-- > 0;)
      if (!keep[i]) eraseNode(l->daughter(i));
    for (size_t i = 0; i < l->size(); ++i) {
      l->daughter(i)->data = Feature(Symbol(OR));  // a box alternative becomes a named one
      applyUnify(l->daughter(i), src, onlyRight);
      for (size_t k = 0; k < i; ++k) {
        if (isomorphicSameRoot(*this, l->daughter(k), *this, l->daughter(i))) {
          eraseNode(l->daughter(i--));
          break;
        }
      }
    }
    if (l->size() == 1) {
      NodePtr single = detach(l->daughter(0));
      adopt(l, std::move(single->daughters));
    }
    return;
  }
  std::vector<NodePtr> results;
  Alts las = alternatives(l);
  for (size_t i = 0; i < las.size(); ++i) {
    const Node* la = las[i];
    for (size_t j = 0; j < ras.size(); ++j) {
      const Node* ra = ras[j];
      if (isBox(ra) || !unifiable(la, src, ra)) continue;
      NodePtr c = importSubtree(*this, la);
      c->data = Feature(Symbol(OR));
      applyUnify(c.get(), src, ra);
      bool dup = std::any_of(results.begin(), results.end(), [&](const NodePtr& k) {
        return isomorphicSameRoot(*this, k.get(), *this, c.get());
      });
      if (dup) {
        releaseValues(c.get());
      } else {
        results.push_back(std::move(c));
      }
    }
  }
  if (results.empty()) return;  // r was open: l stays as it was
  clearContents(l);
  if (results.size() == 1) {
    adopt(l, std::move(results.front()->daughters));
  } else {
    adopt(l, std::move(results));
  }
}

// ---- structure test ----

bool FStruc::test(const Node* l, const FStruc& src, const Node* r, bool flag) const {
  if (l->data.isValue() || r->data.isValue()) {
    return l->data.isValue() && r->data.isValue() && valuesUnify(value(l), src.value(r));
  }
  Kind kl = kindOf(l), kr = kindOf(r);
  if (kr == Kind::Or && leadingBox(r)) return true;
  if (kr == Kind::Multiple) {
    for (const NodePtr& t : r->daughters)
      if (!test(l, src, t.get(), flag)) return false;
    return true;
  }
  if (kl == Kind::Multiple) {
    for (const NodePtr& m : l->daughters)
      if (!test(m.get(), src, r, flag)) return false;
    return true;
  }
  if (kl == Kind::Or || kr == Kind::Or) {
    Alts las = alternatives(l), ras = alternatives(r);
    for (size_t i = 0; i < las.size(); ++i)
      for (size_t j = 0; j < ras.size(); ++j)
        if (!isBox(ras[j]) && test(las[i], src, ras[j], flag)) return true;
    return false;
  }
  for (const NodePtr& rf : r->daughters) {
    const Node* lf = l->find(rf->data);
    if (!lf || !test(lf, src, rf.get(), flag)) return false;
  }
  return true;
}

// ---- operations with a value ----

bool FStruc::pseudoUnify(const Path& path, const Value& v) {
  ModifyOps ops{[&](Node* n) { return n->data.isValue() && value(n).pseudoUnify(v, true); },
                [&](Node* n, size_t i) {
                  Node* last = createPath(n, path, i);
                  makeValueNode(last, v);
                  Value& stored = value(last);
                  if (stored.removeBox()) stored.compact();
                  return true;
                },
                fail,
                [&](const Node* n) { return n->data.isValue() && valuesUnify(value(n), v); },
                willSucceed,
                willFail};
  if (empty()) return ops.notExist(root(), 0);
  return modifyPath(root(), path, 0, ops);
}

bool FStruc::constrain(const Path& path, const Value& v) {
  if (empty()) return false;
  ReadFunc check = [&](const Node* n) { return n->data.isValue() && valuesUnify(value(n), v); };
  ModifyOps ops{check, fail, fail, check, willFail, willFail};
  return modifyPath(root(), path, 0, ops);
}

bool FStruc::constrainNoFilter(const Path& path, const Value& v) const {
  if (empty()) return false;
  return runPath(root(), path, 0,
                 [&](const Node* n) { return n->data.isValue() && valuesUnify(value(n), v); });
}

bool FStruc::isomorphism(const Path& path, const Value& v) {
  if (empty()) return false;
  ReadFunc check = [&](const Node* n) { return n->data.isValue() && value(n) == v; };
  ModifyOps ops{check, fail, fail, check, willFail, willFail};
  return modifyPath(root(), path, 0, ops);
}

bool FStruc::isomorphismNoFilter(const Path& path, const Value& v) const {
  if (empty()) return false;
  return runPath(root(), path, 0,
                 [&](const Node* n) { return n->data.isValue() && value(n) == v; });
}

bool FStruc::assign(const Path& path, const Value& v) {
  MissFunc put = [&](Node* n, size_t i) {
    if (i < path.size()) {
      if (n->data.isValue()) clearContents(n);
      n = createPath(n, path, i);
    }
    makeValueNode(n, v);
    return true;
  };
  if (empty()) return put(root(), 0);
  ModifyOps ops{
      [&](Node* n) { return put(n, path.size()); }, put, put, always, willSucceed, willSucceed};
  return modifyPath(root(), path, 0, ops);
}

// ---- operations with a path into another structure ----

bool FStruc::unifyToPath(const Path& path, const FStruc& src, const Node* r) {
  ModifyOps ops{[&](Node* n) { return !n->data.isValue() && pseudoUnify(n, src, r); },
                [&](Node* n, size_t i) {
                  Node* last = createPath(n, path, i);
                  for (const NodePtr& d : r->daughters)
                    attach(last, last->size(), importSubtree(src, d.get()));
                  if (removeBox(last)) compact(last);
                  return true;
                },
                fail,
                [&](const Node* n) { return !n->data.isValue() && unifiable(n, src, r); },
                willSucceed,
                willFail};
  if (empty()) return ops.notExist(root(), 0);
  return modifyPath(root(), path, 0, ops);
}

bool FStruc::pseudoUnify(const Path& path, const FStruc& right, const Path& rightPath, bool flag) {
  if (&right == this) {
    // Both sides in one structure: read the right side from a snapshot, so
    // that changes on the left cannot disturb it.
    FStruc snapshot(right);
    return pseudoUnify(path, snapshot, rightPath, flag);
  }
  if (right.empty()) return rightPath.empty() || !flag;
  Blueprint bp;
  CollectCode c = right.collectBlueprint(rightPath, bp, true);
  if (c == CL_FAIL) return false;
  if (c == CL_BOX) return !flag;
  if (bp.vFlag) {
    if (bp.single()) return pseudoUnify(path, right.value(bp.entries.front().iter));
    Value v;
    right.collectValue(bp, v);
    return pseudoUnify(path, v);
  }
  if (bp.single()) return unifyToPath(path, right, bp.entries.front().iter);
  FStruc tmp;
  right.collectFS(bp, tmp);
  return unifyToPath(path, tmp, tmp.root());
}

bool FStruc::checkRight(const Node* l, const FStruc& src, const Node* r, RightOp op) const {
  if (r->data.isValue()) {
    if (!l->data.isValue()) return false;
    if (op == RightOp::Iso) return value(l) == src.value(r);
    return valuesUnify(value(l), src.value(r));
  }
  if (l->data.isValue()) return false;
  switch (op) {
    case RightOp::Constrain:
      return isomorphicSameRootRelaxed(*this, l, src, r);
    case RightOp::Test:
      return test(l, src, r, false);
    default:
      return isomorphicSameRoot(*this, l, src, r);
  }
}

bool FStruc::byRight(const Path& path, const FStruc& right, const Path& rightPath, RightOp op,
                     bool filter) {
  if (&right == this) {
    FStruc snapshot(right);
    return byRight(path, snapshot, rightPath, op, filter);
  }
  if (right.empty()) return true;
  Blueprint bp;
  CollectCode c = right.collectBlueprint(rightPath, bp, true);
  if (c == CL_BOX) return true;
  if (c == CL_FAIL || empty()) return false;

  auto runOne = [&](const Node* r) {
    if (filter) {
      ReadFunc check = [&](const Node* n) { return checkRight(n, right, r, op); };
      ModifyOps ops{check, fail, fail, check, willFail, willFail};
      return modifyPath(root(), path, 0, ops);
    }
    return runPath(root(), path, 0, [&](const Node* n) { return checkRight(n, right, r, op); });
  };
  const std::vector<_BlueprintEntry>& es = bp.entries;
  auto skip = [&](size_t& k) {
    int depth = 0;
    do {
      const _BlueprintEntry& e = es[k++];
      if (e.endTreeFlag) {
        --depth;
      } else if (e.sym.isSpecial(OR) || e.sym.isSpecial(MULTIPLE)) {
        ++depth;
      }
    } while (depth > 0);
  };
  // One item: a reached node, a box (no information), or a group, which
  // needs one success (OR) or success throughout (MULTIPLE).
  std::function<bool(size_t&)> evalItem = [&](size_t& k) -> bool {
    const _BlueprintEntry& e = es[k];
    if (e.sym.isSpecial(BOX)) {
      ++k;
      return true;
    }
    if (e.sym.isSpecial(OR) || e.sym.isSpecial(MULTIPLE)) {
      bool isOr = e.sym.isSpecial(OR);
      bool result = !isOr;
      ++k;
      while (!es[k].endTreeFlag) {
        if (result == isOr) {
          skip(k);
        } else {
          result = evalItem(k);
        }
      }
      ++k;
      return result;
    }
    ++k;
    return runOne(e.iter);
  };
  size_t k = 0;
  return evalItem(k);
}

bool FStruc::constrain(const Path& path, const FStruc& right, const Path& rightPath) {
  return byRight(path, right, rightPath, RightOp::Constrain, true);
}
bool FStruc::constrainNoFilter(const Path& path, const FStruc& right, const Path& rightPath) {
  return byRight(path, right, rightPath, RightOp::Constrain, false);
}
bool FStruc::test(const Path& path, const FStruc& right, const Path& rightPath) {
  return byRight(path, right, rightPath, RightOp::Test, true);
}
bool FStruc::testNoFilter(const Path& path, const FStruc& right, const Path& rightPath) {
  return byRight(path, right, rightPath, RightOp::Test, false);
}
bool FStruc::isomorphism(const Path& path, const FStruc& right, const Path& rightPath) {
  return byRight(path, right, rightPath, RightOp::Iso, true);
}
bool FStruc::isomorphismNoFilter(const Path& path, const FStruc& right, const Path& rightPath) {
  return byRight(path, right, rightPath, RightOp::Iso, false);
}

bool FStruc::assign(const Path& path, const FStruc& right, const Path& rightPath) {
  if (&right == this) {
    FStruc snapshot(right);
    return assign(path, snapshot, rightPath);
  }
  Blueprint bp;
  if (right.empty() || right.collectBlueprint(rightPath, bp, false) != CL_SUCC) {
    remove(path);  // assigning nothing removes
    return true;
  }
  if (bp.vFlag) {
    if (bp.single()) return assign(path, right.value(bp.entries.front().iter));
    Value v;
    right.collectValue(bp, v);
    v.removeBox();
    v.compact();
    return assign(path, v);
  }
  FStruc tmp;
  const FStruc* src = &right;
  const Node* r = bp.entries.front().iter;
  if (!bp.single()) {
    right.collectFS(bp, tmp);
    tmp.removeBox();
    tmp.compact();
    src = &tmp;
    r = tmp.root();
  }
  MissFunc put = [&](Node* n, size_t i) {
    if (i < path.size()) {
      if (n->data.isValue()) clearContents(n);
      n = createPath(n, path, i);
    } else {
      clearContents(n);
    }
    for (const NodePtr& d : r->daughters) attach(n, n->size(), importSubtree(*src, d.get()));
    return true;
  };
  if (empty()) return put(root(), 0);
  ModifyOps ops{
      [&](Node* n) { return put(n, path.size()); }, put, put, always, willSucceed, willSucceed};
  return modifyPath(root(), path, 0, ops);
}

bool FStruc::push(const Path& path, const FStruc& right, const Path& rightPath) {
  if (&right == this) {
    FStruc snapshot(right);
    return push(path, snapshot, rightPath);
  }
  Blueprint bp;
  if (right.empty() || right.collectBlueprint(rightPath, bp, false) != CL_SUCC) return true;
  if (bp.vFlag) {
    Value v;
    if (bp.single()) {
      v = right.value(bp.entries.front().iter);
    } else {
      right.collectValue(bp, v);
      v.removeBox();
      v.compact();
    }
    MissFunc create = [&](Node* n, size_t i) {
      makeValueNode(createPath(n, path, i), v);
      return true;
    };
    if (empty()) return create(root(), 0);
    ModifyOps ops{[&](Node* n) {
                    if (!n->data.isValue()) return false;
                    value(n).push(v);
                    return true;
                  },
                  create,
                  fail,
                  [](const Node* n) { return n->data.isValue(); },
                  willSucceed,
                  willFail};
    return modifyPath(root(), path, 0, ops);
  }
  FStruc tmp;
  const FStruc* src = &right;
  const Node* r = bp.entries.front().iter;
  if (!bp.single()) {
    right.collectFS(bp, tmp);
    tmp.removeBox();
    tmp.compact();
    src = &tmp;
    r = tmp.root();
  }
  // The copy of r goes on top. Former contents that are not yet a group
  // become the second member; a node with no contents gets no empty member.
  auto pushOnto = [&](Node* n) {
    if (n->data.isValue()) return false;
    NodePtr top = importSubtree(*src, r);
    top->data = Feature(Symbol(MULTIPLE));
    if (n->size() && kindOf(n) != Kind::Multiple) {
      NodePtr former(new Node(Feature(Symbol(MULTIPLE))));
      adopt(former.get(), std::move(n->daughters));
      n->daughters.clear();
      attach(n, 0, std::move(former));
    }
    attach(n, 0, std::move(top));
    return true;
  };
  MissFunc create = [&](Node* n, size_t i) { return pushOnto(createPath(n, path, i)); };
  if (empty()) return create(root(), 0);
  ModifyOps ops{pushOnto,    create,  fail, [](const Node* n) { return !n->data.isValue(); },
                willSucceed, willFail};
  return modifyPath(root(), path, 0, ops);
}

bool FStruc::pop(const Path& path, FStruc& right, const Path& rightPath) {
  if (right.empty()) return false;
  FStruc snapshot;
  const FStruc* from = &right;
  if (&right == this) {
    snapshot = right;
    from = &snapshot;
  }
  Blueprint bp;
  if (from->collectBlueprint(rightPath, bp, false, true) != CL_SUCC) return false;
  bool ok;
  if (bp.vFlag) {
    Value v;
    if (bp.single()) {
      from->value(bp.entries.front().iter).top(v);
    } else {
      from->collectValue(bp, v, true);
    }
    ok = pseudoUnify(path, v);
  } else if (bp.single()) {
    ok = unifyToPath(path, *from, bp.entries.front().iter);
  } else {
    FStruc tmp;
    from->collectFS(bp, tmp);
    ok = unifyToPath(path, tmp, tmp.root());
  }
  if (ok) right.removeTop(rightPath);
  return ok;
}

// Takes the top off whatever the path reaches: a value is popped (a node left
// without a value goes), the top member of a multiple group is deleted and a
// group left with one member dissolves.
void FStruc::removeTop(const Path& path) {
  Blueprint bp;
  if (collectBlueprint(path, bp, false, true) != CL_SUCC) return;
  std::vector<Node*> reached;
  for (const _BlueprintEntry& e : bp.entries)
    if (!e.endTreeFlag && e.sym.isSpecial(UNKNOWN)) reached.push_back(const_cast<Node*>(e.iter));
  for (Node* n : reached) {
    if (n->data.isValue()) {
      if (!value(n).pop()) eraseNode(n);
      continue;
    }
    Node* group = n->mother;
    bool member = group && n->data.name.isSpecial(MULTIPLE) && kindOf(group) == Kind::Multiple;
    eraseNode(n);
    if (member) compact(reduceToAtomFSIfPossible(group));
  }
}

// ---- existence and number tests ----

bool FStruc::isDefined(const Path& path) {
  if (empty()) return false;
  return modifyPath(root(), path, 0,
                    {[](Node*) { return true; }, fail, fail, always, willFail, willFail});
}

bool FStruc::isUndefined(const Path& path) {
  if (empty()) return true;
  return modifyPath(root(), path, 0,
                    {[](Node*) { return false; }, succeed, succeed,
                     [](const Node*) { return false; }, willSucceed, willSucceed});
}

namespace {

template <bool (Symbol::*test)() const>
FStruc::ReadFunc atomTest(const FStruc& fs) {
  return [&fs](const Node* n) {
    if (!n->data.isValue()) return false;
    const Value& v = fs.value(n);
    return v.isAtom() && (v.root()->data.*test)();
  };
}

}  // namespace

bool FStruc::isNumber(const Path& path) {
  if (empty()) return false;
  return modifyPath(root(), path, 0,
                    {atomTest<&Symbol::isNumber>(*this), fail, fail,
                     atomTest<&Symbol::isNumber>(*this), willFail, willFail});
}

bool FStruc::isInteger(const Path& path) {
  if (empty()) return false;
  return modifyPath(root(), path, 0,
                    {atomTest<&Symbol::isInteger>(*this), fail, fail,
                     atomTest<&Symbol::isInteger>(*this), willFail, willFail});
}

bool FStruc::isPositive(const Path& path) {
  if (empty()) return false;
  return modifyPath(root(), path, 0,
                    {atomTest<&Symbol::isPositive>(*this), fail, fail,
                     atomTest<&Symbol::isPositive>(*this), willFail, willFail});
}

// ---- removal ----

bool FStruc::remove(const Path& path) {
  if (empty()) return true;
  if (path.empty()) {
    clear();
    return true;
  }
  removeWalk(root(), path, 0);
  return true;
}

// Removes the node at the end of the path below start, in every member of the
// groups on the way, then the ancestors left without daughters up to start.
bool FStruc::removeWalk(Node* start, const Path& path, size_t i) {
  Node* cur = start;
  while (i < path.size()) {
    if (cur->data.isValue()) return false;
    Kind k = kindOf(cur);
    if (k == Kind::Or || k == Kind::Multiple) {
      bool any = false;
      for (size_t j = 0; j < cur->size(); ++j)
        if (removeWalk(cur->daughter(j), path, i)) any = true;
      if (!any) return false;
      if (k == Kind::Or) {
        for (size_t j = 0; j < cur->size(); ++j) {
          for (size_t m = j + 1; m < cur->size();) {
            if (isomorphicSameRoot(*this, cur->daughter(j), *this, cur->daughter(m))) {
              eraseNode(cur->daughter(m));
            } else {
              ++m;
            }
          }
        }
      }
      bool atStart = cur == start;
      cur = reduceToAtomFSIfPossible(cur);
      if (atStart || cur->size() || cur->data.isValue()) return true;
      break;
    }
    Node* next = cur->find(path[i]);
    if (!next) return false;
    cur = next;
    ++i;
  }
  if (cur == start) return true;
  Node* m = cur->mother;
  eraseNode(cur);
  while (m != start && !m->size() && !m->data.isValue()) {
    Node* up = m->mother;
    eraseNode(m);
    m = up;
  }
  return true;
}

}  // namespace UKernel
