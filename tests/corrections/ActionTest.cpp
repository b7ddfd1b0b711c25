// tests/corrections/ActionTest.cpp
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CorrectionsTestUtil.h"
#include "corrections/Action.h"
#include "rules/ParseTree.h"

using namespace correctionstest;

namespace {

// Source words aligned k to k with a corrected translation of the given words.
struct Sentence {
  explicit Sentence(const std::string& ctl) : CTL(MakeWords(ctl)) {
    for (size_t k = 1; k <= CTL.size(); ++k) {
      Word w;
      w.value = "s" + std::to_string(k);
      w.Calignments.push_back(static_cast<int>(k));
      SL.push_back(w);
    }
    MirrorCorrectedAlignments(SL, CTL);
  }
  void Apply(Action& act) { act.ApplyToWords(SL, CTL); }
  std::string Result() const { return Words(SL) + " / " + Words(CTL); }
  std::vector<Word> SL, CTL;
};

TEST(Action, ApplyToWords) {
  struct Case {
    const char* ctl;
    std::shared_ptr<Action> act;
    const char* expect;
  };
  const std::string big = "BIG";
  const Case kCases[] = {
      {"THE DOG BARKS", std::make_shared<ActionAddWord>(big, 2),
       "s1[|1] s2[|3] s3[|4] / THE[|1] BIG[|] DOG[|2] BARKS[|3]"},
      {"THE DOG", std::make_shared<ActionAddWord>(big, 3),
       "s1[|1] s2[|2] / THE[|1] DOG[|2] BIG[|]"},
      {"THE BIG DOG", std::make_shared<ActionDeleteWord>(big, 2),
       "s1[|1] s2[|] s3[|2] / THE[|1] DOG[|3]"},
      {"A B C", std::make_shared<ActionChangeWordOrder>(3, 1),
       "s1[|2] s2[|3] s3[|1] / C[|3] A[|1] B[|2]"},
      {"A B C", std::make_shared<ActionChangeWordOrder>(1, 3),
       "s1[|3] s2[|1] s3[|2] / B[|2] C[|3] A[|1]"},
      {"A B C", std::make_shared<ActionChangeWordOrder>(1, 4),
       "s1[|1] s2[|2] s3[|3] / A[|1] B[|2] C[|3]"},
      {"A B", std::make_shared<ActionEditWord>(2, "X"), "s1[|1] s2[|2] / A[|1] X[|2]"},
      {"A B", std::make_shared<ActionEditWord>(0, "X"), "s1[|1] s2[|2] / A[|1] B[|2]"},
      {"A B", std::make_shared<ActionEditWord>(3, "X"), "s1[|1] s2[|2] / A[|1] B[|2]"},
      {"A B", std::make_shared<ActionAddAlignment>(1, 2), "s1[|1,2] s2[|2] / A[|1] B[|1,2]"},
      {"A B", std::make_shared<ActionAddAlignment>(-1, 2), "s1[|1] s2[|2] / A[|1] B[|2]"},
      {"A B", std::make_shared<ActionAddAlignment>(1, -1), "s1[|1] s2[|2] / A[|1] B[|2]"},
      {"A B", std::make_shared<ActionAddAlignment>(1, 3), "s1[|1] s2[|2] / A[|1] B[|2]"},
      {"A B", std::make_shared<ActionClearAlignment>(2, 2), "s1[|1] s2[|] / A[|1] B[|]"},
      {"A B", std::make_shared<ActionClearAlignment>(3, 2), "s1[|1] s2[|2] / A[|1] B[|2]"},
      // Former fault: a delete at an invalid position dropped the last word
      // (and popped an empty vector when there was none).
      {"A B C", std::make_shared<ActionDeleteWord>(big, 0),
       "s1[|1] s2[|2] s3[|3] / A[|1] B[|2] C[|3]"},
      {"A B C", std::make_shared<ActionDeleteWord>(big, 4),
       "s1[|1] s2[|2] s3[|3] / A[|1] B[|2] C[|3]"},
      {"", std::make_shared<ActionDeleteWord>(big, 1), " / "},
  };
  for (const Case& c : kCases) {
    Sentence s(c.ctl);
    s.Apply(*c.act);
    EXPECT_EQ(c.expect, s.Result()) << c.ctl << ": " << DebugLine(*c.act);
  }
}

TEST(Action, ClearingRemovesOneLinkOnly) {
  Sentence s("A B");
  ActionAddAlignment add(1, 2);
  s.Apply(add);
  s.Apply(add);
  ActionClearAlignment clear(1, 2);
  s.Apply(clear);
  EXPECT_EQ("s1[|1,2] s2[|2] / A[|1] B[|1,2]", s.Result());
}

// Former fault: a link added twice (by the tree and again by hand) kept one
// entry naming the deleted word, past the end of the shortened sentence.
TEST(Action, DeleteRemovesEveryLinkToTheWord) {
  Sentence s("A B C");
  ActionAddAlignment dup(2, 2);
  s.Apply(dup);
  ActionDeleteWord del("B", 2);
  s.Apply(del);
  EXPECT_EQ("s1[|1] s2[|] s3[|2] / A[|1] C[|3]", s.Result());
  ActionDeleteWord last("C", 2);
  s.Apply(last);
  EXPECT_EQ("s1[|1] s2[|] s3[|] / A[|1]", s.Result());
}

TEST(Action, PositionMapping) {
  struct Case {
    std::shared_ptr<Action> act;
    std::vector<int> after;  // GetHowAffectsPos of positions 1..5
  };
  const Case kCases[] = {
      {std::make_shared<ActionAddWord>("BIG", 2), {1, 3, 4, 5, 6}},
      {std::make_shared<ActionDeleteWord>("BIG", 2), {1, -1, 2, 3, 4}},
      {std::make_shared<ActionChangeWordOrder>(3, 1), {2, 3, 1, 4, 5}},
      // A move, not a swap: the word at 1 goes to 3, the words after it
      // close the gap.
      {std::make_shared<ActionChangeWordOrder>(1, 3), {3, 1, 2, 4, 5}},
      {std::make_shared<ActionChangeWordOrder>(2, 5), {1, 5, 2, 3, 4}},
      {std::make_shared<ActionEditWord>(2, "X"), {1, 2, 3, 4, 5}},
      {std::make_shared<ActionAddAlignment>(2, 2), {1, 2, 3, 4, 5}},
      {std::make_shared<ActionClearAlignment>(2, 2), {1, 2, 3, 4, 5}},
  };
  for (const Case& c : kCases) {
    std::vector<int> got;
    for (int p = 1; p <= 5; ++p) got.push_back(c.act->GetHowAffectsPos(p));
    EXPECT_EQ(Ints(c.after), Ints(got)) << DebugLine(*c.act);
    // Removing the action maps every surviving position back.
    for (int p = 1; p <= 5; ++p) {
      if (got[p - 1] == -1) continue;
      EXPECT_EQ(p, c.act->GetHowAffectsPosIfDeleted(got[p - 1])) << p << " " << DebugLine(*c.act);
    }
  }
  EXPECT_EQ(-1, ActionAddWord("BIG", 2).GetHowAffectsPos(-1));
}

// Former fault: undoing a move treated it as a swap of its two ends, so
// after a move from 1 to 3 position 1 mapped back to 3 instead of 2.
TEST(Action, UndoingAMoveIsNotASwap) {
  ActionChangeWordOrder right(1, 3);
  EXPECT_EQ(1, right.GetHowAffectsPosIfDeleted(3));
  EXPECT_EQ(2, right.GetHowAffectsPosIfDeleted(1));
  EXPECT_EQ(3, right.GetHowAffectsPosIfDeleted(2));
  ActionChangeWordOrder left(3, 1);
  EXPECT_EQ(3, left.GetHowAffectsPosIfDeleted(1));
  EXPECT_EQ(2, left.GetHowAffectsPosIfDeleted(3));
  EXPECT_EQ(1, left.GetHowAffectsPosIfDeleted(2));
}

TEST(Action, AdjustToDeletedAction) {
  ActionAddWord add("BIG", 2);
  ActionEditWord edit(4, "X");
  edit.AdjustToDeletedAction(&add);
  EXPECT_EQ(3, edit.GetPosEdit());
  ActionDeleteWord del("A", 1);
  ActionChangeWordOrder move(1, 2);
  move.AdjustToDeletedAction(&del);
  EXPECT_EQ(2, move.GetOldPos());
  EXPECT_EQ(3, move.GetNewPos());
  move.AdjustToDeletedAction(nullptr);
  EXPECT_EQ(2, move.GetOldPos());
}

TEST(Action, OppositeActions) {
  struct Case {
    std::shared_ptr<Action> first, second;
    bool opposite;
  };
  const Case kCases[] = {
      {std::make_shared<ActionAddWord>("BIG", 2), std::make_shared<ActionDeleteWord>("X", 2), true},
      {std::make_shared<ActionAddWord>("BIG", 2), std::make_shared<ActionDeleteWord>("X", 3),
       false},
      {std::make_shared<ActionDeleteWord>("BIG", 2), std::make_shared<ActionAddWord>("BIG", 2),
       true},
      {std::make_shared<ActionDeleteWord>("BIG", 2), std::make_shared<ActionAddWord>("RED", 2),
       false},
      {std::make_shared<ActionEditWord>(2, "X"), std::make_shared<ActionEditWord>(2, "Y"), true},
      {std::make_shared<ActionChangeWordOrder>(1, 3), std::make_shared<ActionChangeWordOrder>(3, 1),
       true},
      {std::make_shared<ActionChangeWordOrder>(1, 3), std::make_shared<ActionChangeWordOrder>(1, 3),
       false},
      {std::make_shared<ActionAddAlignment>(1, 2), std::make_shared<ActionClearAlignment>(1, 2),
       true},
      {std::make_shared<ActionClearAlignment>(1, 2), std::make_shared<ActionAddAlignment>(1, 2),
       true},
      {std::make_shared<ActionClearAlignment>(1, 2), std::make_shared<ActionAddAlignment>(2, 2),
       false},
      {std::make_shared<ActionEditWord>(2, "X"), nullptr, false},
  };
  for (const Case& c : kCases) {
    std::vector<int> sl = {99}, tl = {99};
    c.first->PutAffectedPositionsInVector(sl, tl);
    EXPECT_EQ(c.opposite, c.first->AreActionsOpposite(sl, tl, c.second.get()))
        << DebugLine(*c.first) << (c.second ? DebugLine(*c.second) : "null");
  }
  std::vector<int> sl, tl;
  ActionChangeWordOrder(1, 3).PutAffectedPositionsInVector(sl, tl);
  EXPECT_EQ("", Ints(sl));
  EXPECT_EQ("3,1", Ints(tl));
}

TEST(Action, Equality) {
  struct Case {
    std::shared_ptr<Action> a, b;
    bool equal;
  };
  const Case kCases[] = {
      {std::make_shared<ActionDeleteWord>("DOG", 2), std::make_shared<ActionDeleteWord>("CAT", 2),
       true},
      {std::make_shared<ActionDeleteWord>("DOG", 2), std::make_shared<ActionDeleteWord>("DOG", 3),
       false},
      {std::make_shared<ActionEditWord>(2, "X"), std::make_shared<ActionEditWord>(2, "X"), true},
      {std::make_shared<ActionEditWord>(2, "X"), std::make_shared<ActionEditWord>(2, "Y"), false},
      {std::make_shared<ActionAddWord>("X", 2), std::make_shared<ActionAddWord>("Y", 2), false},
      {std::make_shared<ActionAddWord>("X", 2), std::make_shared<ActionDeleteWord>("X", 2), false},
      {std::make_shared<ActionChangeWordOrder>(1, 2), std::make_shared<ActionChangeWordOrder>(1, 2),
       true},
      {std::make_shared<ActionChangeWordOrder>(1, 2), std::make_shared<ActionChangeWordOrder>(2, 1),
       false},
      {std::make_shared<ActionAddAlignment>(1, 2), std::make_shared<ActionAddAlignment>(1, 2),
       true},
      {std::make_shared<ActionAddAlignment>(1, 2), std::make_shared<ActionClearAlignment>(1, 2),
       false},
      {std::make_shared<ActionClearAlignment>(1, 2), std::make_shared<ActionClearAlignment>(1, 3),
       false},
      {std::make_shared<ActionClearAlignment>(1, 2), nullptr, false},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(c.equal, c.a->AreEqual(c.b.get())) << DebugLine(*c.a) << (c.b ? DebugLine(*c.b) : "");
}

TEST(Action, DebugPrint) {
  EXPECT_EQ("Action Add Word -> m_szAddedWord = BIG m_AddedPos = 2\n",
            DebugLine(*std::make_unique<ActionAddWord>("BIG", 2)));
  EXPECT_EQ("Action Edit Word -> m_PosEdit = 3 m_szEdit = rojo\n",
            DebugLine(*std::make_unique<ActionEditWord>(3, "rojo")));
  EXPECT_EQ("Action Delete Word -> m_PosDelete : 1\n",
            DebugLine(*std::make_unique<ActionDeleteWord>("ella", 1)));
  EXPECT_EQ("Action Change Word Order -> m_NewPos = 2 m_OldPos = 3\n",
            DebugLine(*std::make_unique<ActionChangeWordOrder>(3, 2)));
  EXPECT_EQ("Action Add Alignment -> m_SLWordPos = -1 m_NewAlign = 2\n",
            DebugLine(*std::make_unique<ActionAddAlignment>(-1, 2)));
  EXPECT_EQ("Action Clear Alignment -> m_SLWordPos = 2 m_RemoveAlign = 2\n",
            DebugLine(*std::make_unique<ActionClearAlignment>(2, 2)));
}

TEST(Action, BaseProperties) {
  ActionEditWord edit(2, "X");
  EXPECT_EQ(EDIT, edit.GetType());
  EXPECT_EQ(UNSPECIFIED, edit.GetConfidenceLevel());
  EXPECT_EQ(-1, edit.GetSLWordPosAffected());
  EXPECT_EQ(2, edit.GetCTLWordPosAffected());
  EXPECT_EQ(5, ActionAddAlignment(5, 6).GetSLWordPosAffected());
  EXPECT_EQ(6, ActionClearAlignment(5, 6).GetCTLWordPosAffected());
  EXPECT_EQ(4, ActionChangeWordOrder(4, 1).GetCTLWordPosAffected());
  edit.AddClueWordPos(3);
  edit.AddClueWordPos(1);
  EXPECT_EQ(2, edit.GetNumClueWords());
  EXPECT_EQ(1, edit.GetClueWordPos(1));
  EXPECT_EQ(-1, edit.GetClueWordPos(-1));
  EXPECT_EQ(-1, edit.GetClueWordPos(2));

  KalRuleID id(POS_TYPE_VP, 7);
  std::string lex = "unchanged";
  edit.GetAffectedRuleAndLexID(0, id, lex);
  EXPECT_EQ("{VP,7} unchanged", id.ToString() + " " + lex);
}

TEST(Action, CommonRules) {
  ActionEditWord a(1, "X"), b(2, "Y");
  a.AddRuleAndLexID("(NP,8", "dog");
  a.AddRuleAndLexID("VP,3", "barks");
  b.AddRuleAndLexID("NP,8", "'THE'");
  b.AddRuleAndLexID("NP,8", "'DOG'");
  b.AddRuleAndLexID("S,1", "x");
  std::vector<KalRuleID> common;
  a.AddCommonRulesToVector(&b, common);
  a.AddCommonRulesToVector(nullptr, common);
  ASSERT_EQ(2u, common.size());
  EXPECT_EQ("{NP,8}", common[0].ToString());
  EXPECT_EQ("{NP,8}", common[1].ToString());
}

TEST(Action, AffectedRules) {
  ParseTree tree;
  tree.ProcessCStructureIntoTree(
      "((S,1 (NP,8 (DET,23 'THE') (N,1234 'DOG') ) (VP,3 (V,99 'BARKS') ) ) )");
  ParseTree leafOnly;
  leafOnly.ProcessCStructureIntoTree("(N,5 'DOG')");
  ParseTree twice;
  twice.ProcessCStructureIntoTree(
      "((S,1 (NP,8 (DET,23 'THE') (N,1234 'DOG') ) (VP,3 (V,99 'SEES') (NP,9 (DET,24 'THE') "
      "(N,5 'CAT') ) ) ) )");
  struct Case {
    std::shared_ptr<Action> act;
    const char* tl;
    ParseTree* tree;
    const char* expect;
  };
  const Case kCases[] = {
      {std::make_shared<ActionEditWord>(2, "cat"), "the dog barks", &tree, "{NP,8} dog"},
      {std::make_shared<ActionDeleteWord>("dog", 2), "the dog barks", &tree, "{NP,8} 'DOG'"},
      {std::make_shared<ActionDeleteWord>("dog", 3), "the dog barks", &tree, "{VP,3} 'BARKS'"},
      // The word before the insertion shares its rule with the word after.
      {std::make_shared<ActionAddWord>("big", 2), "the dog barks", &tree, "{NP,8} 'THE'"},
      {std::make_shared<ActionAddWord>("big", 3), "the dog barks", &tree,
       "{NP,8} 'DOG'; {VP,3} 'BARKS'"},
      {std::make_shared<ActionAddWord>("big", 1), "the dog barks", &tree, "{NP,8} 'THE'"},
      {std::make_shared<ActionAddWord>("loudly", 4), "the dog barks", &tree, "{VP,3} 'BARKS'"},
      {std::make_shared<ActionChangeWordOrder>(2, 3), "the dog barks", &tree, "{NP,8} dog"},
      {std::make_shared<ActionChangeWordOrder>(3, 2), "the dog barks", &tree, "{VP,3} barks"},
      {std::make_shared<ActionChangeWordOrder>(1, 3), "the dog barks", &tree, ""},
      {std::make_shared<ActionAddAlignment>(1, 1), "the dog barks", &tree, ""},
      {std::make_shared<ActionClearAlignment>(1, 1), "the dog barks", &tree, ""},
      {std::make_shared<ActionEditWord>(4, "x"), "the dog barks", &tree, ""},
      {std::make_shared<ActionEditWord>(2, "x"), "the cat barks", &tree, ""},
      {std::make_shared<ActionEditWord>(2, "x"), "the dog barks", nullptr, ""},
      {std::make_shared<ActionEditWord>(1, "x"), "dog", &leafOnly, ""},
      // Former fault: a repeated word took the rule of its last occurrence.
      {std::make_shared<ActionEditWord>(1, "a"), "the dog sees the cat", &twice, "{NP,8} the"},
      {std::make_shared<ActionEditWord>(4, "a"), "the dog sees the cat", &twice, "{NP,9} the"},
  };
  for (const Case& c : kCases) {
    std::vector<Word> sl, tl = MakeWords(c.tl);
    c.act->AddAffectedRules(sl, tl, c.tree);
    EXPECT_EQ(c.expect, Rules(*c.act)) << c.tl << ": " << DebugLine(*c.act);
  }
}

// Positions of the corrected translation are mapped to the translation's
// words before their leaves are looked up.
TEST(Action, AffectedRulesFollowEarlierActions) {
  ParseTree tree;
  tree.ProcessCStructureIntoTree(
      "((S,1 (NP,8 (DET,23 'THE') (N,1234 'DOG') ) (VP,3 (V,99 'BARKS') ) ) )");
  std::vector<Word> sl, tl = MakeWords("the dog barks");
  // THE BIG DOG BARKS: corrected position 3 is translation word 2.
  ActionEditWord edit(3, "cat");
  edit.AddAffectedRules(sl, tl, &tree, {1, -1, 2, 3});
  EXPECT_EQ("{NP,8} dog", Rules(edit));
  ActionEditWord editAdded(2, "small");
  editAdded.AddAffectedRules(sl, tl, &tree, {1, -1, 2, 3});
  EXPECT_EQ("", Rules(editAdded));
}

}  // namespace
