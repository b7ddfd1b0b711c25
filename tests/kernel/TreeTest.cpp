// tests/kernel/TreeTest.cpp
#include <gtest/gtest.h>

#include <string>

#include "kernel/tree.h"
#include "kernel/treeIter.h"

using namespace Toolbox;

namespace {

using T = Tree<int>;
using N = T::Node;

// Writes a tree as nested lists: 1(2 3(4)).
std::string Dump(const N* n) {
  if (!n) return "";
  std::string s = std::to_string(n->data);
  if (!n->size()) return s;
  s += "(";
  for (size_t i = 0; i < n->size(); ++i) s += (i ? " " : "") + Dump(n->daughter(i));
  return s + ")";
}

// 1(2(5) 3 2(6))
T Sample() {
  T t;
  N* r = t.insert(nullptr, 0, 1);
  N* a = t.insert(r, 0, 2);
  t.insert(r, 1, 3);
  N* c = t.insert(r, 2, 2);
  t.insert(a, 0, 5);
  t.insert(c, 0, 6);
  return t;
}

TEST(TreeTest, StructuralOperations) {
  T t = Sample();
  EXPECT_EQ("1(2(5) 3 2(6))", Dump(t.root()));
  EXPECT_EQ(6u, t.size());

  T copy = t;  // deep
  copy.root()->daughter(1)->data = 9;
  EXPECT_EQ("1(2(5) 3 2(6))", Dump(t.root()));

  N* first2 = t.root()->find(2);
  N* second2 = t.root()->find(2, first2->di() + 1);
  EXPECT_EQ(2u, second2->di());
  EXPECT_EQ(1, second2->depth());
  EXPECT_EQ(nullptr, t.root()->find(7));

  EXPECT_EQ(1u, t.erase(t.root()->daughter(1)));
  EXPECT_EQ("1(2(5) 2(6))", Dump(t.root()));

  t.demote(t.root()->daughter(0), 8);
  EXPECT_EQ("1(8(2(5)) 2(6))", Dump(t.root()));

  t.promote(t.root()->daughter(0)->daughter(0)->daughter(0));  // 5 replaces 2
  EXPECT_EQ("1(8(5) 2(6))", Dump(t.root()));

  t.promote(t.root()->daughter(1));  // 2(6) becomes the root
  EXPECT_EQ("2(6)", Dump(t.root()));
  EXPECT_EQ(nullptr, t.root()->mother);

  t.insert(nullptr, 0, 4);  // root position: new datum
  EXPECT_EQ("4(6)", Dump(t.root()));
  t.insert(nullptr, 0, copy.root()->daughter(0));  // root position: whole tree
  EXPECT_EQ("2(5)", Dump(t.root()));
  t.erase(t.root());
  EXPECT_FALSE(t.hasRoot());
}

TEST(TreeTest, Iterators) {
  T t = Sample();
  std::string pre, post;
  for (_TreeIterator<int, PreorderAgenda> it(t.root()); it; ++it)
    pre += std::to_string(it.node()->data);
  for (_TreeIterator<int, PostorderAgenda> it(t.root()); it; ++it)
    post += std::to_string(it.node()->data);
  EXPECT_EQ("125326", pre);
  EXPECT_EQ("523621", post);

  // A walk started on a subtree stays inside it.
  std::string sub;
  for (_TreeIterator<int, PreorderAgenda> it(t.root()->daughter(2)); it; ++it)
    sub += std::to_string(it.node()->data);
  EXPECT_EQ("26", sub);

  _TreeIteratorBase<int> at(t.root());
  auto hit = at.find(2);
  EXPECT_EQ(t.root()->daughter(0), hit.node());
  EXPECT_EQ(t.root()->daughter(2), at.findNext().node());
  EXPECT_FALSE(at.findNext());

  // The path 2 6 needs the second daughter 2: the walk backs up to find it.
  _TreePathIterator<int> path(t.root(), {2, 6});
  EXPECT_EQ(1u, path.pathDist());
  ASSERT_TRUE(path.next());
  EXPECT_EQ(0u, path.pathDist());
  EXPECT_EQ(6, path.node()->data);
  EXPECT_FALSE(path.next());

  int n = 0;
  for (auto d = beginDaughters(t.root()); !d.atEnd(); ++d) n += (*d)->data;
  EXPECT_EQ(7, n);
}

}  // namespace
