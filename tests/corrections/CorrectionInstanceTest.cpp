// tests/corrections/CorrectionInstanceTest.cpp
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "CorrectionsTestUtil.h"
#include "corrections/CorrectionInstance.h"
#include "tests/support/RunProgram.h"

using namespace correctionstest;

namespace {

const std::string kSep = "------------------------------------------------\n";
const std::string kStandIn = REFINE_TEST_DATA "/../../tools/PreProcessLogFiles.pl";

// A log as the correction tool writes it, with the given action blocks.
std::string Log(const std::string& sl, const std::string& tl, const std::string& al,
                const std::string& blocks, const std::string& kind = "FIX TRANSLATION") {
  return "submit = " + kind + "\nsl = " + sl + "\ntl1 = " + tl + "\ntl1-al = " + al +
         "\nSource: \"" + sl + "\"\nTranslation: \"" + tl + "\"\n" + blocks + kSep +
         "Final Sentences\n";
}

std::string Edit(const std::string& from, const std::string& to) {
  return kSep + "Current Word Edited\n\"" + from + "\" \"" + to + "\"\n";
}
std::string Trash(const std::string& word) { return kSep + "Move to Trash\n\"" + word + "\"\n"; }
std::string Moved(const std::string& before, const std::string& after) {
  return kSep + "Word has moved\nBefore: " + before + " *\nAfter: " + after + " *\n";
}
std::string NewWord(const std::string& word, const std::string& before, const std::string& after) {
  return kSep + "New word created\n\"" + word + "\"\n" + Moved(before, after);
}
std::string Link(const std::string& sl, const std::string& ctl) {
  return kSep + "Manual alignment change\n\"" + sl + "\" \"" + ctl + "\"\n";
}
std::string Unlink(const std::string& sl, const std::string& ctl) {
  return kSep + "Manual Alignment Cleared\n\"" + sl + "\" \"" + ctl + "\"\n";
}

CIPtr Load(const std::string& text, const std::string& treeText = "") {
  CIPtr ci = NewCI();
  ParseTree tree;
  if (!treeText.empty()) tree.ProcessCStructureIntoTree(treeText);
  ci->LoadFromLogText(text, treeText.empty() ? nullptr : &tree);
  return ci;
}

class LogFiles : public testing::Test {
 protected:
  void SetUp() override { setenv("REFINE_PREPROCESS_SCRIPT", kStandIn.c_str(), 1); }
  void TearDown() override { unsetenv("REFINE_PREPROCESS_SCRIPT"); }

  // Loads a copy of a test-data log from a temporary directory, so that the
  // pre-processed copy is written there.
  CIPtr LoadCopy(const std::string& name, const std::string& treeText) {
    const std::string path =
        dir_.write(name, testsupport::ReadFile(REFINE_TEST_DATA "/logs/" + name));
    CIPtr ci = NewCI();
    ParseTree tree;
    if (!treeText.empty()) tree.ProcessCStructureIntoTree(treeText);
    ci->LoadEmendoLogFile(path.c_str(), treeText.empty() ? nullptr : &tree);
    EXPECT_NE("", testsupport::ReadFile(path + ".processed")) << name;
    return ci;
  }

  testsupport::TempDir dir_;
};

TEST_F(LogFiles, EachTestLogLoadsIntoItsInstance) {
  struct Case {
    const char* log;
    const char* tree;  // "" for none: alignments from the alignment line
    const char* expect;
  };
  const Case kCases[] = {
      {"edit-adjective.log", "",
       "SL: the[1|1] red[3|3] car[2|2]\n"
       "TL: el[1|] coche[3|] roja[2|]\n"
       "CTL: el[|1] coche[|3] rojo[|2]\n"
       "Action Edit Word -> m_PosEdit = 3 m_szEdit = rojo\n"
       "  reason=\" the adjective agreeswiththenoun\" confidence=2 clues=2 rules=\n"},
      {"edit-adjective.log", "((NP,3 (DET,1:1 'EL') (N,16:3 'COCHE') (ADJ,2:2 'ROJA') ) )",
       "SL: the[1|1] red[3|3] car[2|2]\n"
       "TL: el[1|] coche[3|] roja[2|]\n"
       "CTL: el[|1] coche[|3] rojo[|2]\n"
       "Action Edit Word -> m_PosEdit = 3 m_szEdit = rojo\n"
       "  reason=\" the adjective agreeswiththenoun\" confidence=2 clues=2 rules={NP,3} roja\n"},
      {"delete-word.log", "((S,1 (NP,5 (PRON,2:1 'ELLA') ) (VP,1 (V,9:2 'DUERME') ) ) )",
       "SL: she[1|] sleeps[2|1]\n"
       "TL: ella[1|] duerme[2|]\n"
       "CTL: duerme[|2]\n"
       "Action Delete Word -> m_PosDelete : 1\n"
       "  reason=\" the subject pronoun is dropped\" confidence=1 clues= rules={NP,5} 'ELLA'\n"},
      {"add-word.log",
       "((S,1 (NP,2 (DET,1:1 'EL') (N,13:2 'HOMBRE') ) (VP,2 (V,1:3 'VE') (NP,2 (DET,2:4 'LA') "
       "(N,11:5 'MUJER') ) ) ) )",
       "SL: the[1|1] man[2|2] sees[3|3,4] the[4|5] woman[5|6]\n"
       "TL: el[1|] hombre[2|] ve[3|] la[4|] mujer[5|]\n"
       "CTL: el[|1] hombre[|2] ve[|3] a[|3] la[|4] mujer[|5]\n"
       "Action Add Word -> m_szAddedWord = a m_AddedPos = 4\n"
       "  reason=\" a person as object takes a\" confidence=2 clues= rules={VP,2} 'VE'; {NP,2} "
       "'LA'\n"
       "Action Add Alignment -> m_SLWordPos = 3 m_NewAlign = 4\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"move-word.log", "((NP,3 (DET,2:1 'LA') (N,5:3 'CASA') (ADJ,21:2 'GRANDE') ) )",
       "SL: the[1|1] big[3|2] house[2|3]\n"
       "TL: la[1|] casa[3|] grande[2|]\n"
       "CTL: la[|1] grande[|2] casa[|3]\n"
       "Action Change Word Order -> m_NewPos = 2 m_OldPos = 3\n"
       "  reason=\" grande before the noun means great\" confidence=0 clues= rules={NP,3} "
       "grande\n"},
      {"alignments.log", "",
       "SL: the[1|1] black[2|3] cat[3|2]\n"
       "TL: el[1|] gato[2|] negro[3|]\n"
       "CTL: el[|1] gato[|3] negro[|2]\n"
       "Action Clear Alignment -> m_SLWordPos = 2 m_RemoveAlign = 2\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Clear Alignment -> m_SLWordPos = 3 m_RemoveAlign = 3\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Add Alignment -> m_SLWordPos = 2 m_NewAlign = 3\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Add Alignment -> m_SLWordPos = 3 m_NewAlign = 2\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Add Alignment -> m_SLWordPos = -1 m_NewAlign = 2\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"not-fixed.log", "",
       "SL: the[1|1] cat[2|2] eats[3|3]\n"
       "TL: el[1|] gato[2|] come[3|]\n"
       "CTL: el[|1] gato[|2] come[|3]\n"},
  };
  for (const Case& c : kCases) {
    CIPtr ci = LoadCopy(c.log, c.tree);
    EXPECT_EQ(c.expect, Dump(*ci)) << c.log << " " << c.tree;
    EXPECT_EQ(1, ci->GetNumIDs()) << c.log;
  }
}

TEST_F(LogFiles, SentencesAndCounts) {
  CIPtr ci = LoadCopy("add-word.log", "");
  EXPECT_EQ("the man sees the woman ", ci->GetSLSentence());
  EXPECT_EQ("el hombre ve la mujer ", ci->GetTLSentence());
  EXPECT_EQ("el hombre ve a la mujer ", ci->GetCTLSentence());
  EXPECT_EQ(5, ci->GetNumSLWords());
  EXPECT_EQ(5, ci->GetNumTLWords());
  EXPECT_EQ(6, ci->GetNumCTLWords());
  EXPECT_EQ(2, ci->GetNumActions());
  EXPECT_EQ(1, ci->ErrorComplexity());
  std::vector<int> v = {7};
  ci->GetTLAlignments(3, v);
  EXPECT_EQ("3", Ints(v));
  ci->GetCTLAlignments(3, v);
  EXPECT_EQ("3,4", Ints(v));
  ci->GetCTLAlignments(6, v);
  EXPECT_EQ("", Ints(v));
  std::string id = "x";
  ci->GetID(0, id);
  EXPECT_EQ("", id);
}

TEST_F(LogFiles, SourceAndTranslationFromTheLogItself) {
  const std::string path =
      dir_.write("raw.log", "submit=FIX TRANSLATION\nsl = the red car\r\ntl1 = el coche roja\n");
  std::string sl = "x", tl = "y";
  CorrectionInstance::GetSLandTLFromEmendoLogFile(path.c_str(), sl, tl);
  EXPECT_EQ("the red car\r", sl);
  EXPECT_EQ("el coche roja", tl);
  CorrectionInstance::GetSLandTLFromEmendoLogFile(dir_.file("missing.log").c_str(), sl, tl);
  EXPECT_EQ("", sl);
  EXPECT_EQ("", tl);
}

TEST_F(LogFiles, MissingCopyOrLog) {
  // A script that writes no copy: the log itself is read.
  setenv("REFINE_PREPROCESS_SCRIPT", "true", 1);
  const std::string path = dir_.write("raw.log", Log("the dog", "el perro", "((1,1),(2,2))", ""));
  CIPtr ci = NewCI();
  ci->LoadEmendoLogFile(path.c_str(), nullptr);
  EXPECT_EQ("el perro ", ci->GetCTLSentence());

  testing::internal::CaptureStderr();
  ci->LoadEmendoLogFile(dir_.file("missing.log").c_str(), nullptr);
  EXPECT_EQ("cannot open correction log " + dir_.file("missing.log") + "\n",
            testing::internal::GetCapturedStderr());
  EXPECT_EQ("SL: \nTL: \nCTL: \n", Dump(*ci));
  EXPECT_EQ(0, ci->GetNumIDs());
}

TEST(CorrectionInstance, LogReading) {
  struct Case {
    const char* what;
    std::string log;
    std::string tree;
    const char* expect;
  };
  const Case kCases[] = {
      {"a kind ending in a carriage return is not a fix",
       "submit = FIX TRANSLATION\r\nsl = the dog\r\ntl1 = el perro\r\n" + Edit("perro", "gato"), "",
       "SL: the[|] dog[|]\nTL: el[|] perro[|]\nCTL: el[|] perro[|]\n"},
      {"an edit changes the first occurrence",
       Log("the man sees the cat", "el hombre ve el gato", "", Edit("el", "un")), "",
       "SL: the[|] man[|] sees[|] the[|] cat[|]\nTL: el[|] hombre[|] ve[|] el[|] gato[|]\n"
       "CTL: un[|] hombre[|] ve[|] el[|] gato[|]\n"
       "Action Edit Word -> m_PosEdit = 1 m_szEdit = un\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"a new word with its move block gives one add",
       Log("the big dog", "the dog", "", NewWord("big", "the dog", "the big dog")), "",
       "SL: the[|] big[|] dog[|]\nTL: the[|] dog[|]\nCTL: the[|] big[|] dog[|]\n"
       "Action Add Word -> m_szAddedWord = big m_AddedPos = 2\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      // Former fault: a word added at the end had no position.
      {"a word added at the end",
       Log("the dog barks", "el perro", "((1,1),(2,2))",
           NewWord("ladra", "el perro", "el perro ladra") + Link("barks", "ladra")),
       "",
       "SL: the[1|1] dog[2|2] barks[|3]\nTL: el[1|] perro[2|]\nCTL: el[|1] perro[|2] ladra[|3]\n"
       "Action Add Word -> m_szAddedWord = ladra m_AddedPos = 3\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Add Alignment -> m_SLWordPos = 3 m_NewAlign = 3\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"a new word without its move block is no action; the next block is read",
       Log("the dog", "el perro", "", kSep + "New word created\n\"big\"\n" + Edit("perro", "gato")),
       "",
       "SL: the[|] dog[|]\nTL: el[|] perro[|]\nCTL: el[|] gato[|]\n"
       "Action Edit Word -> m_PosEdit = 2 m_szEdit = gato\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"words that are not found give no action; reading goes on",
       Log("the dog", "el perro", "",
           Edit("gato", "perro") + Trash("gato") + Moved("el perro", "el perro") +
               Moved("el perro", "el perro grande") + Trash("el")),
       "",
       "SL: the[|] dog[|]\nTL: el[|] perro[|]\nCTL: perro[|]\n"
       "Action Delete Word -> m_PosDelete : 1\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"moves in both directions",
       Log("a b c d", "a b c d", "", Moved("a b c d", "b c a d") + Moved("b c a d", "b d c a")), "",
       "SL: a[|] b[|] c[|] d[|]\nTL: a[|] b[|] c[|] d[|]\nCTL: b[|] d[|] c[|] a[|]\n"
       "Action Change Word Order -> m_NewPos = 3 m_OldPos = 1\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Change Word Order -> m_NewPos = 2 m_OldPos = 4\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"reason, confidence and clue words; clue words not in the sentence are left out",
       Log("the red car", "el coche roja", "",
           Edit("roja", "rojo") + "* Reason: agreement\n* Deseriable\n----------\n" +
               "ClueWord: coche car el\n" + kSep + Trash("el") + "----------\nClueWord: coche\n" +
               kSep),
       "",
       "SL: the[|] red[|] car[|]\nTL: el[|] coche[|] roja[|]\nCTL: coche[|] rojo[|]\n"
       "Action Edit Word -> m_PosEdit = 3 m_szEdit = rojo\n"
       "  reason=\" agreement\" confidence=1 clues=2,1 rules=\n"
       "Action Delete Word -> m_PosDelete : 1\n"
       "  reason=\"\" confidence=0 clues=2 rules=\n"},
      {"a reason runs over following tokens up to a '*'",
       Log("a b", "a b", "", Edit("a", "x") + "* Reason: one two\nthree four\n* Necessary\n"), "",
       "SL: a[|] b[|]\nTL: a[|] b[|]\nCTL: x[|] b[|]\n"
       "Action Edit Word -> m_PosEdit = 1 m_szEdit = x\n"
       "  reason=\" one twothreefour\" confidence=2 clues= rules=\n"},
      {"alignment actions name words by their first occurrence",
       Log("the dog", "el perro", "((1,1),(2,2))",
           Unlink("dog", "perro") + Link("dog", "el") + Link("cat", "perro") +
               Unlink("dog", "gato")),
       "",
       "SL: the[1|1] dog[2|1]\nTL: el[1|] perro[2|]\nCTL: el[|1,2] perro[|]\n"
       "Action Clear Alignment -> m_SLWordPos = 2 m_RemoveAlign = 2\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Add Alignment -> m_SLWordPos = 2 m_NewAlign = 1\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Add Alignment -> m_SLWordPos = -1 m_NewAlign = 2\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Clear Alignment -> m_SLWordPos = 2 m_RemoveAlign = -1\n"
       "  reason=\"\" confidence=0 clues= rules=\n"},
      {"quoted sentences over several tokens; other kinds read the equation lines",
       Log("the  red car", "el coche rojo", "((1,1))", Edit("coche", "auto"), "GOOD TRANSLATION"),
       "",
       "SL: the[1|1] red[|] car[|]\nTL: el[1|] coche[|] rojo[|]\nCTL: el[|1] coche[|] rojo[|]\n"},
      {"tree markers align source words to translation words in leaf order",
       Log("dogs bark", "ladran perros", "((1,1),(2,2))", ""),
       "((S,1 (V,2:2 'LADRAN') (N,2:1 'PERROS') ) )",
       "SL: dogs[2|2] bark[1|1]\nTL: ladran[2|] perros[1|]\nCTL: ladran[|2] perros[|1]\n"},
      // Former fault: markers were counted in the text, so a LITERAL leaf or a
      // leaf of several words shifted every later alignment.
      {"a literal leaf counts as a word without a source position",
       Log("dogs bark", "los perros ladran", "", ""),
       "((S,1 (NP,1 (LITERAL 'LOS') (N,2:1 'PERROS') ) (V,2:2 'LADRAN') ) )",
       "SL: dogs[2|2] bark[3|3]\nTL: los[|] perros[1|] ladran[2|]\n"
       "CTL: los[|] perros[|1] ladran[|2]\n"},
      {"a leaf of several words aligns each of them",
       Log("system works", "sistema 2-3-5 funciona", "", ""),
       "((S,1 (N,7:1 'SISTEMA 2-3-5') (V,2:2 'FUNCIONA') ) )",
       "SL: system[1,2|1,2] works[3|3]\nTL: sistema[1|] 2-3-5[1|] funciona[2|]\n"
       "CTL: sistema[|1] 2-3-5[|1] funciona[|2]\n"},
      {"tree text without markers gives no alignments",
       Log("dogs bark", "ladran perros", "((1,1),(2,2))", ""),
       "((S,1 (V,2 'LADRAN') (N,2 'PERROS') ) )",
       "SL: dogs[|] bark[|]\nTL: ladran[|] perros[|]\nCTL: ladran[|] perros[|]\n"},
      // Former fault: positions outside the sentences were written past the
      // word vectors.
      {"alignment pairs outside the sentences are skipped",
       Log("a b c", "x y z", "((1,5),(4,1),(0,2),(2,0),(3,99999999999),(2,3),(3))", ""), "",
       "SL: a[|] b[3|3] c[|]\nTL: x[|] y[|] z[2|]\nCTL: x[|] y[|] z[|2]\n"},
      {"tree markers beyond the translation's words are skipped", Log("a b c", "x y", "", ""),
       "((S,1 (N,1:1 'X') (N,2:2 'Y') (N,3:3 'Z') (N,4:9 'W') ) )",
       "SL: a[1|1] b[2|2] c[|]\nTL: x[1|] y[2|]\nCTL: x[|1] y[|2]\n"},
      {"a hand-made link that repeats a tree link, then the word is deleted",
       Log("she sleeps", "ella duerme", "", Link("she", "ella") + Trash("ella")),
       "((S,1 (NP,5 (PRON,2:1 'ELLA') ) (VP,1 (V,9:2 'DUERME') ) ) )",
       "SL: she[1|] sleeps[2|1]\nTL: ella[1|] duerme[2|]\nCTL: duerme[|2]\n"
       "Action Add Alignment -> m_SLWordPos = 1 m_NewAlign = 1\n"
       "  reason=\"\" confidence=0 clues= rules=\n"
       "Action Delete Word -> m_PosDelete : 1\n"
       "  reason=\"\" confidence=0 clues= rules={NP,5} 'ELLA'\n"},
      // Former fault: the rule was looked up with the translation's word at
      // the corrected position, the rule of BARKS here.
      {"affected rules follow the earlier actions",
       Log("the big dog barks", "the dog barks", "",
           NewWord("big", "the dog barks", "the big dog barks") + Edit("dog", "cat") +
               Trash("barks")),
       "((S,1 (NP,8 (DET,23 'THE') (N,1234 'DOG') ) (VP,3 (V,99 'BARKS') ) ) )",
       "SL: the[|] big[|] dog[|] barks[|]\nTL: the[|] dog[|] barks[|]\n"
       "CTL: the[|] big[|] cat[|]\n"
       "Action Add Word -> m_szAddedWord = big m_AddedPos = 2\n"
       "  reason=\"\" confidence=0 clues= rules={NP,8} 'THE'\n"
       "Action Edit Word -> m_PosEdit = 3 m_szEdit = cat\n"
       "  reason=\"\" confidence=0 clues= rules={NP,8} dog\n"
       "Action Delete Word -> m_PosDelete : 4\n"
       "  reason=\"\" confidence=0 clues= rules={VP,3} 'BARKS'\n"},
      {"missing parts give empty values", "submit = FIX TRANSLATION\n" + kSep + "Final\n", "",
       "SL: \nTL: \nCTL: \n"},
      {"a log cut off in its second quoted sentence",
       Log("the dog", "el perro", "((1,", "").substr(0, 90), "",
       "SL: the[|] dog[|]\nTL: \nCTL: \n"},
  };
  for (const Case& c : kCases) {
    CIPtr ci = Load(c.log, c.tree);
    EXPECT_EQ(c.expect, Dump(*ci)) << c.what;
  }
}

// Former fault: the first token anywhere that held "tl" was taken as the
// translation key, here "little" of the source line.
TEST(CorrectionInstance, TranslationKeyBeginsItsLine) {
  const std::string log =
      "submit = GOOD TRANSLATION\nsl = the little dog\ntl1 = el perro pequeño\n"
      "tl1-al = ((1,1),(2,3),(3,2))\n";
  CIPtr ci = Load(log);
  EXPECT_EQ("el perro pequeño ", ci->GetTLSentence());
  EXPECT_EQ(
      "SL: the[1|1] little[3|3] dog[2|2]\nTL: el[1|] perro[3|] pequeño[2|]\n"
      "CTL: el[|1] perro[|3] pequeño[|2]\n",
      Dump(*ci));
  std::string sl, tl;
  CorrectionInstance::GetSLandTLFromLogText(log, sl, tl);
  EXPECT_EQ("el perro pequeño", tl);
  CorrectionInstance::GetSLandTLFromLogText("sl = a\nbottle = x\ntl2 = b\n", sl, tl);
  EXPECT_EQ("x", tl);
  CorrectionInstance::GetSLandTLFromLogText("sl = a\n tl3 =b\ntl2 = b c\n", sl, tl);
  EXPECT_EQ("b c", tl);
}

TEST(CorrectionInstance, EmptyTextLeavesAnEmptyInstance) {
  CIPtr ci = Load("");
  EXPECT_EQ(0, ci->GetNumIDs());
  EXPECT_EQ("", ci->GetSLSentence());
}

TEST(CorrectionInstance, WordsAndSentenceStrings) {
  CIPtr ci = NewCI();
  ci->SetSLWords("THE DOG");
  ci->SetSLWords("BARKS");
  ci->UpdateSentenceStrings();
  EXPECT_EQ("THE DOG BARKS ", ci->GetSLSentence());
  ci->Reset();
  ci->SetCTLWords("THE DOG");
  ci->UpdateSentenceStrings();
  EXPECT_EQ(8u, ci->GetCTLSentence().size());
  EXPECT_EQ(nullptr, ci->GetCTLWord(0));
  EXPECT_EQ(nullptr, ci->GetCTLWord(3));
  EXPECT_EQ(nullptr, ci->GetSLWord(1));
  ASSERT_NE(nullptr, ci->GetCTLWord(2));
  EXPECT_EQ("DOG", ci->GetCTLWord(2)->value);
  EXPECT_EQ(nullptr, ci->GetAction(0));
}

TEST(CorrectionInstance, Comparison) {
  const std::string base = Log("the red car", "el coche roja", "", Edit("roja", "rojo"));
  const std::string more =
      Log("the red car", "el coche roja", "", Edit("roja", "rojo") + Edit("el", "el"));
  const std::string other = Log("the red car", "el coche roja", "", Edit("roja", "roja"));
  CIPtr a = Load(base), b = Load(base), c = Load(more), d = Load(other);
  EXPECT_EQ(EXACT_EQUIVELENT, a->CompareCIs(*b));
  EXPECT_EQ(DIFF_ACTIONS_EQUIVELENT, a->CompareCIs(*c));
  EXPECT_EQ(NOT_EQUIVELENT, a->CompareCIs(*d));
  // Same words, one edit's word differs: the actions are not equal.
  CIPtr e = NewCI(), f = NewCI();
  for (CorrectionInstance* ci : {e.get(), f.get()}) ci->SetCTLWords("a b");
  e->AddAction(new ActionEditWord(1, "x"));
  e->AddAction(new ActionEditWord(1, "a"));
  f->AddAction(new ActionEditWord(1, "y"));
  f->AddAction(new ActionEditWord(1, "a"));
  EXPECT_EQ(DIFF_ACTIONS_EQUIVELENT, e->CompareCIs(*f));
}

TEST(CorrectionInstance, DependentErrors) {
  struct Case {
    const char* what;
    std::vector<std::shared_ptr<Action>> acts;
    bool dependent;
    int complexity;
  };
  using std::make_shared;
  const Case kCases[] = {
      {"one edit", {make_shared<ActionEditWord>(2, "x")}, false, 1},
      {"two edits of one word",
       {make_shared<ActionEditWord>(2, "x"), make_shared<ActionEditWord>(2, "y")},
       true,
       3},
      {"edits of two words",
       {make_shared<ActionEditWord>(2, "x"), make_shared<ActionEditWord>(3, "y")},
       false,
       2},
      {"an edit, an add before it, the word edited again",
       {make_shared<ActionEditWord>(2, "x"), make_shared<ActionAddWord>("n", 1),
        make_shared<ActionDeleteWord>("x", 3)},
       true,
       4},
      {"a delete before an edited word, then that word edited again",
       {make_shared<ActionEditWord>(2, "x"), make_shared<ActionDeleteWord>("a", 1),
        make_shared<ActionEditWord>(1, "y")},
       true,
       4},
      {"a word deleted, then another edited",
       {make_shared<ActionDeleteWord>("b", 2), make_shared<ActionEditWord>(3, "y")},
       false,
       2},
      {"adds and alignment actions are never the second edit",
       {make_shared<ActionEditWord>(2, "x"), make_shared<ActionAddAlignment>(1, 2),
        make_shared<ActionAddWord>("n", 2)},
       false,
       2},
      {"a word moved, then moved again",
       {make_shared<ActionChangeWordOrder>(1, 3), make_shared<ActionChangeWordOrder>(1, 2)},
       true,
       3},
  };
  for (const Case& c : kCases) {
    CIPtr ci = NewCI();
    ci->SetCTLWords("a b c d");
    // The instance owns its actions; hand it copies made through the pointers' own kinds.
    for (const auto& act : c.acts) {
      Action* copy = nullptr;
      switch (act->GetType()) {
        case ADD: {
          auto* a = static_cast<ActionAddWord*>(act.get());
          copy = new ActionAddWord(a->GetAddedWord(), a->GetPosAdded());
          break;
        }
        case EDIT: {
          auto* a = static_cast<ActionEditWord*>(act.get());
          copy = new ActionEditWord(a->GetPosEdit(), a->GetEditWord());
          break;
        }
        case DELETE: {
          auto* a = static_cast<ActionDeleteWord*>(act.get());
          copy = new ActionDeleteWord(a->GetDeletedWord(), a->GetPosDelete());
          break;
        }
        case CHANGE_WORD_ORDER: {
          auto* a = static_cast<ActionChangeWordOrder*>(act.get());
          copy = new ActionChangeWordOrder(a->GetOldPos(), a->GetNewPos());
          break;
        }
        case ADD_ALIGNMENT: {
          auto* a = static_cast<ActionAddAlignment*>(act.get());
          copy = new ActionAddAlignment(a->GetSLWordPos(), a->GetNewAlign());
          break;
        }
        case CLEAR_ALIGNMENT:
          break;
      }
      ci->AddAction(copy);
    }
    EXPECT_EQ(c.dependent, ci->ContainsDependentErrors()) << c.what;
    EXPECT_EQ(c.complexity, ci->ErrorComplexity()) << c.what;
  }
}

TEST(CorrectionInstance, DependentErrorsAreRecomputedAfterAnAction) {
  CIPtr ci = NewCI();
  ci->SetCTLWords("a b");
  ci->AddAction(new ActionEditWord(1, "x"));
  EXPECT_FALSE(ci->ContainsDependentErrors());
  ci->AddAction(new ActionEditWord(1, "y"));
  EXPECT_TRUE(ci->ContainsDependentErrors());
  ci->AddAction(nullptr);
  EXPECT_EQ(2, ci->GetNumActions());
}

TEST(CorrectionInstance, Identifiers) {
  CIPtr a = NewCI(), b = NewCI();
  a->AddID("log1");
  b->AddID("log2");
  b->AddID("log3");
  a->AddIDSFromCI(b.get());
  a->AddIDSFromCI(a.get());
  EXPECT_EQ(6, a->EvidenceForRefinement());
  EXPECT_TRUE(a->HasID("log3"));
  EXPECT_FALSE(a->HasID("log4"));
  std::string id = "keep";
  a->GetID(6, id);
  a->GetID(-1, id);
  EXPECT_EQ("keep", id);
  a->GetID(2, id);
  EXPECT_EQ("log3", id);

  a->SetIfLeadToRefinement(true);
  a->SetIfIncreasedMTAccuracy(true);
  a->Reset();
  EXPECT_EQ(0, a->GetNumIDs());
  EXPECT_FALSE(a->GetIfLeadToRefinement());
  EXPECT_FALSE(a->GetIfIncreasedMTAccuracy());
}

TEST(CorrectionInstance, SetParsePrintsTheTree) {
  CIPtr ci = NewCI();
  ci->SetTLWords("THE DOG");
  ci->UpdateSentenceStrings();
  testing::internal::CaptureStdout();
  ci->SetParse("((NP,8 (DET,23 'THE') (N,1234 'DOG') ) )");
  EXPECT_EQ(
      "CorrectionInstance::SetParse: Setting ParseTree for THE DOG \n"
      "\n((NP,8 \n(DET,23 'THE')\n(N,1234 'DOG'))\n\n",
      testing::internal::GetCapturedStdout());
  EXPECT_EQ("((NP,8 (DET,23 'THE') (N,1234 'DOG') ) )", ci->GetParse());
  EXPECT_EQ(2, ci->GetTree().GetNumLeaves());
  // Loading a log keeps the parse text.
  ci->LoadFromLogText(Log("a", "b", "", ""), nullptr);
  EXPECT_EQ("((NP,8 (DET,23 'THE') (N,1234 'DOG') ) )", ci->GetParse());
}

TEST(CorrectionInstance, RulesInCommon) {
  const std::string tree = "((S,1 (NP,8 (DET,23 'THE') (N,1234 'DOG') ) (VP,3 (V,99 'BARKS') ) ) )";
  CIPtr a = Load(Log("the dog barks", "the dog barks", "", Edit("dog", "cat")), tree);
  CIPtr b = Load(Log("the dog barks", "the dog barks", "", Trash("the") + Trash("barks")), tree);
  std::vector<KalRuleID> common;
  a->GetRulesInCommon(b.get(), common);
  ASSERT_EQ(1u, common.size());
  EXPECT_EQ("{NP,8}", common[0].ToString());
}

}  // namespace
