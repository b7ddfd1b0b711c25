// tests/rules/ParseTreeTest.cpp
#include "rules/ParseTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kDogBarks =
    "((S,1 (NP,8 (DET,23 'THE') (N,1234 'DOG') ) (VP,3 (V,99 'BARKS') ) ) )";

ParseTree Tree(const std::string& text) {
  ParseTree t;
  t.ProcessCStructureIntoTree(text);
  return t;
}

// "label word" of every leaf position, in order.
std::string Leaves(const ParseTree& t) {
  std::string s;
  for (int i = 0; i < t.GetNumLeaves(); ++i)
    s += (i ? " | " : "") + t.GetLeaf(i)->Label + " " + t.GetLeaf(i)->Word;
  return s;
}

TEST(ParseTree, ReadsTheExampleTree) {
  ParseTree t = Tree(kDogBarks);
  EXPECT_EQ(kDogBarks, t.GetCStructure());
  ASSERT_NE(nullptr, t.GetRoot());
  EXPECT_EQ("(S,1", t.GetRoot()->Label);
  EXPECT_EQ(nullptr, t.GetRoot()->Parent);
  EXPECT_EQ(2u, t.GetRoot()->Children.size());
  EXPECT_EQ("iNtErIoR", t.GetRoot()->Children[0]->Word);
  EXPECT_EQ("DET,23 'THE' | N,1234 'DOG' | V,99 'BARKS'", Leaves(t));
  EXPECT_EQ("V,99", t.GetLeaf(2)->Label);
  EXPECT_EQ(nullptr, t.GetLeaf(3));
  EXPECT_EQ(nullptr, t.GetLeaf(-1));
  EXPECT_EQ(
      "\n((S,1 \n(NP,8 \n(DET,23 'THE')\n(N,1234 'DOG'))\n(VP,3 \n(V,99 'BARKS')))",
      t.TreeToString());
}

TEST(ParseTree, LeafForms) {
  struct Case {
    const char* text;
    const char* rootLabel;
    const char* leaves;
  };
  const Case kCases[] = {
      // A one-word tree: the root is the only leaf.
      {"((N,1234 'DOG') )", "(N,1234", "(N,1234 'DOG'"},
      // A sentence translated by one lexical rule alone.
      {"(N,5 'CASA')", "N,5", "N,5 'CASA'"},
      // Source positions after the rule ID, and the "[n]" form.
      {"((NP,1 (N,1234:2 'DOG'[2]) ) )", "(NP,1", "N,1234:2 'DOG'"},
      {"((S,1 (LITERAL 'A') (V,2 'VA') ) )", "(S,1", "LITERAL 'A' | V,2 'VA'"},
      // A multi-word entry stands for each of its words; an empty one for none.
      {"((NP,1 (N,7 'SISTEMA 2-3-5') (ADJ,3 'NUEVO') ) )", "(NP,1",
       "N,7 'SISTEMA 2-3-5' | N,7 'SISTEMA 2-3-5' | ADJ,3 'NUEVO'"},
      {"((NP,1 (DET,2 '') (N,4 'CASA') ) )", "(NP,1", "N,4 'CASA'"},
      // Parentheses and apostrophes inside words.
      {"((S,1 (PUNCT,1 ')') (PUNCT,2 '(') (V,3 'DON'T') ) )", "(S,1",
       "PUNCT,1 ')' | PUNCT,2 '(' | V,3 'DON'T'"},
  };
  for (const Case& c : kCases) {
    ParseTree t = Tree(c.text);
    EXPECT_EQ(c.rootLabel, t.GetRoot()->Label) << c.text;
    EXPECT_EQ(c.leaves, Leaves(t)) << c.text;
  }
}

TEST(ParseTree, Queries) {
  ParseTree t = Tree(kDogBarks);
  EXPECT_EQ("NP,8", t.GetCommonRule(1, 2));
  EXPECT_EQ("(S,1", t.GetCommonRule(2, 3));
  EXPECT_EQ("", t.GetCommonRule(2, 2));
  EXPECT_EQ("", t.GetCommonRule(0, 1));
  EXPECT_EQ("", t.GetCommonRule(1, 4));

  std::string dog = "dog", cat = "cat";
  ASSERT_NE(nullptr, t.FindNode(dog));
  EXPECT_EQ("'DOG'", t.FindNode(dog)->Word);
  EXPECT_EQ(POS_TYPE_NOUN, t.getPOSofWord(dog));
  EXPECT_EQ("dog", dog);
  EXPECT_EQ(POS_TYPE_NONE, t.getPOSofWord(cat));
  EXPECT_EQ(POS_TYPE_VERB, t.GetLeaf(2)->GetPOS());

  // The last occurrence of a repeated word is found.
  ParseTree twice = Tree("((S,1 (DET,1 'THE') (N,2 'DOG') (DET,1 'THE') (N,3 'CAT') ) )");
  EXPECT_EQ(twice.GetLeaf(2), twice.FindNode("the"));

  // A source position in the label does not hide the category.
  EXPECT_EQ(POS_TYPE_NOUN, Tree("((NP,1 (N,1234:2 'DOG') ) )").GetLeaf(0)->GetPOS());
}

TEST(TreeNode, Navigation) {
  ParseTree t = Tree(kDogBarks);
  TreeNode* root = t.GetRoot();
  TreeNode* np = root->Children[0].get();
  TreeNode* vp = root->Children[1].get();
  TreeNode* the = t.GetLeaf(0);
  TreeNode* dog = t.GetLeaf(1);
  TreeNode* barks = t.GetLeaf(2);

  EXPECT_EQ(1, root->GetChildPos(vp));
  EXPECT_EQ(-1, root->GetChildPos(the));
  EXPECT_EQ(np, the->GetFirstCommonParent(dog));
  EXPECT_EQ(root, the->GetFirstCommonParent(barks));
  EXPECT_EQ(np, the->GetFirstCommonParent(np));  // the other lies above
  EXPECT_EQ(nullptr, the->GetFirstCommonParent(the));
  EXPECT_EQ(nullptr, the->GetFirstCommonParent(nullptr));

  int i = 7;
  EXPECT_EQ(np, dog->GetChildOfParentNodeIsIn(root, i));
  EXPECT_EQ(0, i);
  EXPECT_EQ(dog, dog->GetChildOfParentNodeIsIn(np, i));
  EXPECT_EQ(1, i);
  i = 7;
  EXPECT_EQ(nullptr, dog->GetChildOfParentNodeIsIn(vp, i));
  EXPECT_EQ(nullptr, dog->GetChildOfParentNodeIsIn(nullptr, i));
  EXPECT_EQ(7, i);

  std::vector<POS_TYPE> level;
  dog->GetPOSofLevel(level);
  EXPECT_EQ((std::vector<POS_TYPE>{POS_TYPE_DET, POS_TYPE_NOUN}), level);
  np->GetPOSofLevel(level);
  EXPECT_EQ((std::vector<POS_TYPE>{POS_TYPE_NP, POS_TYPE_VP}), level);
  root->GetPOSofLevel(level);
  EXPECT_TRUE(level.empty());
  EXPECT_EQ(1, dog->GetNodePosOnLevel());
  EXPECT_EQ(-1, root->GetNodePosOnLevel());
}

TEST(ParseTree, EmptyTree) {
  ParseTree t;
  EXPECT_EQ(nullptr, t.GetLeaf(0));
  EXPECT_EQ(nullptr, t.FindNode("dog"));
  std::string dog = "dog";
  EXPECT_EQ(POS_TYPE_NONE, t.getPOSofWord(dog));
  EXPECT_EQ("", t.GetCommonRule(1, 2));
  EXPECT_EQ("NULL subroot\n", t.TreeToString());
}

TEST(ParseTree, CopiesAreIndependent) {
  ParseTree copy;
  {
    ParseTree original = Tree(kDogBarks);
    copy = original;
    ParseTree constructed(original);
    EXPECT_EQ(Leaves(original), Leaves(constructed));
  }
  EXPECT_EQ("DET,23 'THE' | N,1234 'DOG' | V,99 'BARKS'", Leaves(copy));
  EXPECT_EQ("NP,8", copy.GetCommonRule(1, 2));
  EXPECT_EQ(copy.GetRoot(), copy.GetLeaf(2)->Parent->Parent);

  ParseTree& self = copy;
  copy = self;
  EXPECT_EQ("NP,8", copy.GetCommonRule(1, 2));

  // A node assigned its own descendant keeps a whole subtree.
  TreeNode node = *copy.GetRoot();
  node = *node.Children[0];
  EXPECT_EQ("NP,8", node.Label);
  ASSERT_EQ(2u, node.Children.size());
  EXPECT_EQ(&node, node.Children[1]->Parent);
  EXPECT_EQ("'DOG'", node.Children[1]->Word);
}

TEST(ParseTreeDeathTest, MalformedTextEndsTheProcess) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case kCases[] = {
      {"((S,1 (N,2 'DOG') ) x", "format error in\\|\\) x\\|: no closing right paren found\\.\n"},
      {"((S,1 (N,2 'DOG'", "format error in\\|\\(N,2 'DOG'\\|: no closing right paren found"},
      {"", "format error in\\|\\|: no closing right paren found"},
      {"S,1 'DOG'", "format error in\\|S,1 'DOG'\\|"},
  };
  for (const Case& c : kCases)
    EXPECT_EXIT(Tree(c.text), testing::ExitedWithCode(1), c.message) << c.text;
}

}  // namespace
