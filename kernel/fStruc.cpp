// kernel/fStruc.cpp
#include "kernel/fStruc.h"

#include <cassert>
#include <ostream>
#include <utility>

#include "kernel/indent.h"

namespace UKernel {

namespace {

using Node = FStruc::Node;
using NodePtr = FStruc::NodePtr;

bool isGroupName(const Symbol& s) { return s.isSpecial(OR) || s.isSpecial(MULTIPLE); }

NodePtr newNode(const Symbol& name) { return NodePtr(new Node(Feature(name))); }

}  // namespace

bool FStruc::indentPrint = true;

FStruc::FStruc() { insert(nullptr, 0, Feature()); }

FStruc::FStruc(const Symbol& n) : name(n) { insert(nullptr, 0, Feature()); }

FStruc::FStruc(const FStruc& other) : Tree<Feature>(), name(other.name) {
  insert(nullptr, 0, Feature());
  importInto(*root(), other, other.root());
}

FStruc::FStruc(FStruc&& other) noexcept : FStruc() { swap(other); }

FStruc& FStruc::operator=(const FStruc& other) {
  if (this == &other) return *this;
  FStruc fresh(other);
  swap(fresh);
  return *this;
}

FStruc& FStruc::operator=(FStruc&& other) noexcept {
  if (this != &other) {
    FStruc fresh(std::move(other));
    swap(fresh);
  }
  return *this;
}

void FStruc::swap(FStruc& other) noexcept {
  swapTree(other);
  std::swap(name, other.name);
  vList.swap(other.vList);
  freeSlots.swap(other.freeSlots);
}

FStruc::FStruc(const FStruc& other, const Node* n) : Tree<Feature>(), name(other.name) {
  insert(nullptr, 0, Feature());
  importInto(*root(), other, n);
}

void FStruc::clear() {
  Symbol rootName = root()->data.name;
  Tree<Feature>::clear();
  insert(nullptr, 0, Feature(rootName));
  vList.clear();
  freeSlots.clear();
}

void FStruc::copy(const FStruc& other, const Node* n) {
  FStruc fresh(other, n);
  fresh.name = name;
  swap(fresh);
}

int FStruc::newValue(const Value& v) {
  if (!freeSlots.empty()) {
    int slot = freeSlots.back();
    freeSlots.pop_back();
    vList[static_cast<size_t>(slot)] = v;
    return slot;
  }
  vList.push_back(v);
  return static_cast<int>(vList.size() - 1);
}

void FStruc::releaseValues(Node* n) {
  if (n->data.isValue()) {
    vList[static_cast<size_t>(n->data.vi)].clear();
    freeSlots.push_back(n->data.vi);
    n->data.setValue(false);
    n->data.vi = -1;
  }
  for (const NodePtr& d : n->daughters) releaseValues(d.get());
}

void FStruc::eraseNode(Node* n) {
  releaseValues(n);
  if (n == root()) {
    clear();
    return;
  }
  erase(n);
}

Node* FStruc::replaceNode(Node* n, NodePtr repl) {
  releaseValues(n);
  return replace(n, std::move(repl));
}

Node* FStruc::promoteKeepName(Node* member) {
  Node* group = member->mother;
  Symbol keep = group->data.name;
  NodePtr m = detach(member);
  m->data.name = keep;
  return replaceNode(group, std::move(m));
}

NodePtr FStruc::importSubtree(const FStruc& src, const Node* n) {
  NodePtr c(new Node(n->data));
  importInto(*c, src, n);
  return c;
}

void FStruc::importInto(Node& to, const FStruc& src, const Node* n) {
  to.data = n->data;
  if (n->data.isValue()) to.data.vi = newValue(src.value(n));
  to.daughters.reserve(n->size());
  for (const NodePtr& d : n->daughters) {
    to.daughters.push_back(importSubtree(src, d.get()));
    to.daughters.back()->mother = &to;
  }
}

void FStruc::makeValueNode(Node* n, const Value& v) {
  clearContents(n);
  n->data.setValue(true);
  n->data.vi = newValue(v);
}

void FStruc::clearContents(Node* n) {
  releaseValues(n);
  n->daughters.clear();
}

Node* FStruc::createPath(Node* n, const Path& path, size_t i) {
  for (; i < path.size(); ++i) n = attach(n, n->size(), newNode(path[i].name));
  return n;
}

FStruc::Kind FStruc::kindOf(const Node* n) {
  if (n->data.isValue()) return Kind::Value;
  for (const NodePtr& d : n->daughters) {
    int code = d->data.name.readCode();
    if (code == OR) return Kind::Or;
    if (code == MULTIPLE) return Kind::Multiple;
    // A box leads a group; what the group is shows in the next daughter.
    if (code != BOX) return Kind::Plain;
  }
  return n->size() ? Kind::Or : Kind::Plain;
}

bool FStruc::isAtomValue(const Path& path, Symbol& symbol) const {
  const Node* n = root();
  for (const Feature& f : path) {
    n = n->find(f);
    if (!n) return false;
  }
  if (!n->data.isValue() || !value(n).isAtom()) return false;
  symbol = value(n).root()->data;
  return true;
}

bool FStruc::getValue(const Path& path, Value& out) const {
  Blueprint bp;
  if (collectBlueprint(path, bp, false) != CL_SUCC || !bp.vFlag) return false;
  if (bp.single()) {
    out = value(bp.entries.front().iter);
  } else {
    collectValue(bp, out);
  }
  return true;
}

bool FStruc::getFS(const Path& path, FStruc& out) const {
  Blueprint bp;
  if (collectBlueprint(path, bp, false) != CL_SUCC || bp.vFlag) return false;
  if (bp.single()) {
    out.copy(*this, bp.entries.front().iter);
  } else {
    collectFS(bp, out);
  }
  return true;
}

// ---- normalising ----

Node* FStruc::compact(Node* n) {
  if (n->data.isValue()) return n;
  for (size_t i = 0; i < n->size(); ++i) compact(n->daughter(i));
  if (kindOf(n) != Kind::Or) return n;
  for (size_t i = 1; i < n->size();) {
    bool dup = false;
    for (size_t j = 0; j < i && !dup; ++j)
      dup = isomorphicSameRoot(*this, n->daughter(j), *this, n->daughter(i));
    if (dup) {
      eraseNode(n->daughter(i));
    } else {
      ++i;
    }
  }
  if (n->size() == 1) return promoteKeepName(n->daughter(0));
  return n;
}

bool FStruc::removeBox(Node* n) {
  if (n->data.isValue() || !n->size() || n->first()->data.name.readCode() >= UNKNOWN) return false;
  bool any = false;
  for (size_t i = 0; i < n->size();) {
    Node* d = n->daughter(i);
    const Symbol& s = d->data.name;
    if (s.isSpecial(BOX)) {
      eraseNode(d);
      any = true;
      continue;
    }
    if (isGroupName(s) && removeBox(d)) any = true;
    ++i;
  }
  return any;
}

Node* FStruc::reduceToAtomFS(Node* n) {
  if (!n->size()) return n;
  return promoteKeepName(n->daughter(0));
}

Node* FStruc::reduceToAtomFSIfPossible(Node* n) {
  if (n->size() == 1 && isGroupName(n->first()->data.name)) return promoteKeepName(n->first());
  return n;
}

// ---- equality ----

namespace {

template <bool relaxed>
bool isoNodes(const FStruc& fa, const Node* a, const FStruc& fb, const Node* b) {
  bool av = a->data.isValue(), bv = b->data.isValue();
  if (av || bv) {
    if (av != bv) return false;
    if (relaxed) return Value::unifiable(fa.value(a).root(), fb.value(b).root());
    return fa.value(a) == fb.value(b);
  }
  size_t n = a->size();
  if (n != b->size()) return false;
  if (!n) return true;
  if (a->first()->data.name.isSpecial(MULTIPLE)) {
    for (size_t i = 0; i < n; ++i) {
      const Node* da = a->daughter(i);
      const Node* db = b->daughter(i);
      if (da->data.name != db->data.name || !isoNodes<relaxed>(fa, da, fb, db)) return false;
    }
    return true;
  }
  std::vector<bool> used(n, false);
  for (size_t i = 0; i < n; ++i) {
    const Node* da = a->daughter(i);
    bool found = false;
    for (size_t j = 0; j < n && !found; ++j) {
      const Node* db = b->daughter(j);
      if (used[j] || da->data.name != db->data.name) continue;
      if (isoNodes<relaxed>(fa, da, fb, db)) used[j] = found = true;
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace

bool FStruc::isomorphicSameRoot(const FStruc& fa, const Node* a, const FStruc& fb, const Node* b) {
  return isoNodes<false>(fa, a, fb, b);
}

bool FStruc::isomorphicSameRootRelaxed(const FStruc& fa, const Node* a, const FStruc& fb,
                                       const Node* b) {
  return isoNodes<true>(fa, a, fb, b);
}

// ---- disjunction of two structures ----

void FStruc::mergeOr(const FStruc& other) {
  if (&other == this) return;  // a structure or'ed with itself is itself
  if (other.empty()) return;
  if (empty()) {
    Symbol keep = name;
    *this = other;
    name = keep;
    return;
  }
  if (isValue() || other.isValue()) {
    // Only atomic structures merge with atomic ones.
    if (isValue() && other.isValue()) value(root()).mergeOr(other.value(other.root()));
    return;
  }
  Node* r = root();
  bool thisOr = kindOf(r) == Kind::Or;
  bool otherOr = kindOf(other.root()) == Kind::Or;
  if (!thisOr && !otherOr && isomorphicSameRoot(*this, r, other, other.root())) return;
  if (!thisOr) {
    // This structure's features become the first alternative.
    NodePtr alt = newNode(Symbol(OR));
    alt->daughters = std::move(r->daughters);
    r->daughters.clear();
    for (NodePtr& d : alt->daughters) d->mother = alt.get();
    attach(r, 0, std::move(alt));
  }
  std::vector<const Node*> offered;
  if (otherOr) {
    for (const NodePtr& d : other.root()->daughters) offered.push_back(d.get());
  } else {
    offered.push_back(other.root());
  }
  for (const Node* o : offered) {
    bool known = false;
    for (size_t i = 0; i < r->size() && !known; ++i)
      known = isomorphicSameRoot(*this, r->daughter(i), other, o);
    if (known) continue;
    NodePtr alt = importSubtree(other, o);
    alt->data = Feature(o->data.name.isSpecial(BOX) ? Symbol(BOX) : Symbol(OR));
    attach(r, r->size(), std::move(alt));
  }
}

// ---- walks ----

bool FStruc::modifyPath(Node* start, const Path& path, size_t i, const ModifyOps& ops) {
  Node* cur = start;
  while (i < path.size()) {
    if (cur->data.isValue()) return ops.vBlock(cur, i);
    Kind k = kindOf(cur);
    if (k == Kind::Or) return walkOr(cur, path, i, ops);
    if (k == Kind::Multiple) return walkMultiple(cur, path, i, ops);
    Node* next = cur->find(path[i]);
    if (!next) return ops.notExist(cur, i);
    cur = next;
    ++i;
  }
  return ops.exist(cur);
}

// The rest of the path is walked in every alternative; alternatives where it
// fails are dropped, equal ones merged, and a single survivor replaces the
// group. When every alternative fails nothing is changed.
bool FStruc::walkOr(Node* n, const Path& path, size_t i, const ModifyOps& ops) {
  size_t count = n->size();
  std::vector<bool> ok(count, false);
  bool any = false;
  for (size_t j = 0; j < count; ++j) {
    ok[j] = modifyPath(n->daughter(j), path, i, ops);
    any = any || ok[j];
    // An open alternative that received features is open no more.
    Node* alt = n->daughter(j);
    if (ok[j] && alt->data.name.isSpecial(BOX) && alt->size()) alt->data.name = Symbol(OR);
  }
  if (!any) return false;
  for (size_t j = count; j-- > 0;)
    if (!ok[j]) eraseNode(n->daughter(j));
  for (size_t j = 0; j < n->size(); ++j) {
    for (size_t k = j + 1; k < n->size();) {
      if (isomorphicSameRoot(*this, n->daughter(j), *this, n->daughter(k))) {
        eraseNode(n->daughter(k));
      } else {
        ++k;
      }
    }
  }
  if (n->size() == 1) promoteKeepName(n->daughter(0));
  return true;
}

// The rest of the path is walked in a copy of every member, placed in front
// of the former members; the former members go when all copies succeeded, the
// copies go at the first failure.
bool FStruc::walkMultiple(Node* n, const Path& path, size_t i, const ModifyOps& ops) {
  size_t count = n->size();
  if (ops.willExist && ops.willMiss && ops.willBlock) {
    for (size_t j = 0; j < count; ++j)
      if (!predictPath(n->daughter(j), path, i, ops)) return false;
    for (size_t j = 0; j < count; ++j) {
      bool ok = modifyPath(n->daughter(j), path, i, ops);
      assert(ok && "the prediction of a walk must match the walk");
      (void)ok;
    }
    return true;
  }
  for (size_t j = 0; j < count; ++j) {
    Node* c = attach(n, j, importSubtree(*this, n->daughter(j + j)));
    if (!modifyPath(c, path, i, ops)) {
      for (size_t k = 0; k <= j; ++k) eraseNode(n->daughter(0));
      return false;
    }
  }
  while (n->size() > count) eraseNode(n->daughter(count));
  return true;
}

// The outcome modifyPath would have, found without changing anything.
bool FStruc::predictPath(const Node* start, const Path& path, size_t i,
                         const ModifyOps& ops) const {
  const Node* cur = start;
  while (i < path.size()) {
    if (cur->data.isValue()) return ops.willBlock(cur, i);
    Kind k = kindOf(cur);
    if (k == Kind::Or) {
      for (const NodePtr& d : cur->daughters)
        if (predictPath(d.get(), path, i, ops)) return true;
      return false;
    }
    if (k == Kind::Multiple) {
      for (const NodePtr& d : cur->daughters)
        if (!predictPath(d.get(), path, i, ops)) return false;
      return true;
    }
    const Node* next = cur->find(path[i]);
    if (!next) return ops.willMiss(cur, i);
    cur = next;
    ++i;
  }
  return ops.willExist(cur);
}

bool FStruc::runPath(const Node* start, const Path& path, size_t i, const ReadFunc& op) const {
  const Node* cur = start;
  while (i < path.size()) {
    if (cur->data.isValue()) return false;
    Kind k = kindOf(cur);
    if (k == Kind::Or) {
      for (const NodePtr& d : cur->daughters)
        if (runPath(d.get(), path, i, op)) return true;
      return false;
    }
    if (k == Kind::Multiple) {
      for (const NodePtr& d : cur->daughters)
        if (!runPath(d.get(), path, i, op)) return false;
      return true;
    }
    cur = cur->find(path[i]);
    if (!cur) return false;
    ++i;
  }
  return op(cur);
}

// ---- gathering ----

CollectCode FStruc::collect(const Node* start, const Path& path, size_t i, Blueprint& bp,
                            bool boxSucc, bool popTop) const {
  const Node* cur = start;
  while (i < path.size()) {
    if (cur->data.isValue()) return CL_FAIL;
    Kind k = kindOf(cur);
    if (k == Kind::Or) {
      size_t open = bp.entries.size();
      bp.entries.push_back({false, Symbol(OR), cur});
      bool box = false, succ = false;
      for (const NodePtr& d : cur->daughters) {
        // A branch that does not succeed leaves nothing behind.
        size_t mark = bp.entries.size();
        bool setFlag = bp.setFlag, vFlag = bp.vFlag;
        CollectCode c = collect(d.get(), path, i, bp, boxSucc, popTop);
        if (c == CL_SUCC) {
          succ = true;
          continue;
        }
        bp.entries.resize(mark);
        bp.setFlag = setFlag;
        bp.vFlag = vFlag;
        if (c == CL_BOX) box = true;
      }
      if (succ) {
        if (box) bp.entries.push_back({false, Symbol(BOX), nullptr});
        bp.entries.push_back({true, Symbol(OR), cur});
        return CL_SUCC;
      }
      bp.entries.resize(open);
      return box ? CL_BOX : CL_FAIL;
    }
    if (k == Kind::Multiple) {
      size_t open = bp.entries.size();
      bool setFlag = bp.setFlag, vFlag = bp.vFlag;
      bp.entries.push_back({false, Symbol(MULTIPLE), cur});
      for (const NodePtr& d : cur->daughters) {
        if (collect(d.get(), path, i, bp, boxSucc, popTop) != CL_SUCC) {
          bp.entries.resize(open);
          bp.setFlag = setFlag;
          bp.vFlag = vFlag;
          return CL_FAIL;
        }
      }
      bp.entries.push_back({true, Symbol(MULTIPLE), cur});
      return CL_SUCC;
    }
    const Node* next = cur->find(path[i]);
    if (!next) return boxSucc ? CL_BOX : CL_FAIL;
    cur = next;
    ++i;
  }
  if (popTop && kindOf(cur) == Kind::Multiple) {
    for (const NodePtr& d : cur->daughters) {
      if (d->data.name.isSpecial(MULTIPLE)) {
        cur = d.get();
        break;
      }
    }
  }
  bool isV = cur->data.isValue();
  if (bp.setFlag && isV != bp.vFlag) return CL_FAIL;
  bp.setFlag = true;
  bp.vFlag = isV;
  bp.entries.push_back({false, Symbol(), cur});
  return CL_SUCC;
}

bool FStruc::collectValue(const Blueprint& bp, Value& out, bool topOnly) const {
  out.clear();
  bool box = false;
  Value::Node* cur = nullptr;
  for (const _BlueprintEntry& e : bp.entries) {
    if (e.endTreeFlag) {
      cur = cur->mother;
      continue;
    }
    if (e.sym.isSpecial(OR) || e.sym.isSpecial(MULTIPLE)) {
      cur = out.insert(cur, cur ? cur->size() : 0, e.sym);
      continue;
    }
    if (e.sym.isSpecial(BOX)) {
      if (cur) out.insert(cur, 0, Symbol(BOX));
      box = true;
      continue;
    }
    Value top;
    const Value* v = &value(e.iter);
    if (topOnly) {
      v->top(top);
      v = &top;
    }
    if (!v->root()) continue;
    if (cur) {
      out.insert(cur, cur->size(), v->root());
    } else {
      out = *v;
    }
  }
  out.compact();
  return box;
}

void FStruc::collectFS(const Blueprint& bp, FStruc& out) const {
  out.clear();
  Node* cur = nullptr;
  std::vector<Symbol> groups;  // the kind of each open group
  for (const _BlueprintEntry& e : bp.entries) {
    if (e.endTreeFlag) {
      groups.pop_back();
      if (cur->size() == 1) cur = out.reduceToAtomFS(cur);
      cur = cur->mother;
      continue;
    }
    if (e.sym.isSpecial(BOX)) {
      if (cur) out.attach(cur, 0, newNode(Symbol(BOX)));
      continue;
    }
    bool opens = e.sym.isSpecial(OR) || e.sym.isSpecial(MULTIPLE);
    Node* member;
    if (!cur) {
      member = out.root();
      if (!opens) {
        for (const NodePtr& d : e.iter->daughters)
          out.attach(member, member->size(), out.importSubtree(*this, d.get()));
      }
    } else {
      NodePtr fresh = opens ? newNode(groups.back()) : out.importSubtree(*this, e.iter);
      fresh->data = Feature(groups.back());
      member = out.attach(cur, cur->size(), std::move(fresh));
    }
    if (opens) {
      groups.push_back(e.sym);
      cur = member;
    }
  }
}

// ---- text form ----

void FStruc::printIter(std::ostream& os, const Node* n) const {
  if (n->data.name.isSpecial(BOX)) {
    os << n->data.name;
    return;
  }
  for (size_t i = 0; i < n->size(); ++i) {
    const Node* d = n->daughter(i);
    if (i) Toolbox::newline(os);
    if (d->data.isValue()) {
      os << '(' << d->data.name << ' ' << value(d) << ')';
    } else if (isGroupName(d->data.name)) {
      if (i == 0) {
        os << d->data.name;
        Toolbox::newline(os);
      }
      os << '(';
      {
        Toolbox::IndentGuard guard(os, 1);
        printIter(os, d);
      }
      os << ')';
    } else {
      os << '(' << d->data.name;
      Toolbox::newline(os);
      os << " (";
      {
        Toolbox::IndentGuard guard(os, 2);
        printIter(os, d);
      }
      os << "))";
    }
  }
}

void FStruc::printOneLine(std::ostream& os, const Node* n) const {
  if (n->data.name.isSpecial(BOX)) {
    os << n->data.name;
    return;
  }
  for (size_t i = 0; i < n->size(); ++i) {
    const Node* d = n->daughter(i);
    if (i) os << ' ';
    if (d->data.isValue()) {
      os << '(' << d->data.name << ' ' << value(d) << ')';
    } else if (isGroupName(d->data.name)) {
      if (i == 0) os << d->data.name << ' ';
      os << '(';
      printOneLine(os, d);
      os << ')';
    } else {
      os << '(' << d->data.name << " (";
      printOneLine(os, d);
      os << "))";
    }
  }
}

std::ostream& operator<<(std::ostream& os, const FStruc& fs) {
  const Node* r = fs.root();
  if (!FStruc::indentPrint) {
    if (r->data.isValue()) return os << fs.value(r);
    os << '(';
    fs.printOneLine(os, r);
    return os << ')';
  }
  os << fs.name << ": ";
  if (r->data.isValue()) return os << fs.value(r);
  os << '(';
  {
    Toolbox::IndentGuard guard(os, static_cast<long>(fs.name.read().size()) + 3);
    fs.printIter(os, r);
  }
  return os << ')';
}

}  // namespace UKernel
