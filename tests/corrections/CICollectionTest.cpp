// tests/corrections/CICollectionTest.cpp
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "CorrectionsTestUtil.h"
#include "corrections/CICollection.h"
#include "corrections/CorrectionInstance.h"
#include "corrections/DirectoryTraverser.h"
#include "tests/support/RunProgram.h"

using namespace correctionstest;

namespace {

// An instance of the sentences with the given edits (position, word) and
// identifier.
CorrectionInstance* MakeCI(const std::string& id, const std::string& sl, const std::string& tl,
                           const std::vector<std::pair<int, std::string>>& edits) {
  CorrectionInstance* ci = CorrectionInstanceFactory::createCI();
  ci->SetSLWords(sl);
  ci->SetTLWords(tl);
  ci->SetCTLWords(tl);
  ci->AddID(id);
  for (const auto& e : edits) ci->AddAction(new ActionEditWord(e.first, e.second));
  ci->UpdateSentenceStrings();
  return ci;
}

// Adds an instance as the gathering phase does: the collection takes its
// own references and the maker gives up its one.
void Add(CICollection& c, CorrectionInstance* ci) {
  c.AddCI(ci);
  ci->Release();
}

std::string Ids(CorrectionInstance* ci) {
  std::string s;
  for (int i = 0; i < ci->GetNumIDs(); ++i) {
    std::string id;
    ci->GetID(i, id);
    s += (i ? "," : "") + id;
  }
  return s;
}

TEST(CICollection, DuplicatesAreMergedIntoTheFirst) {
  CICollection c;
  testing::internal::CaptureStdout();
  Add(c, MakeCI("log1", "the red car", "el coche roja", {{3, "rojo"}}));
  Add(c, MakeCI("log2", "the red car", "el coche roja", {{3, "rojo"}}));
  EXPECT_EQ(
      "Size of the Collection is 1\n"
      "Number of CIs for this index: 1\n"
      "Number of CIs for this index: 1\n"
      "Size of the Collection is 2\n",
      testing::internal::GetCapturedStdout());
  EXPECT_EQ(2, c.NumCIs());
  EXPECT_EQ("log1,log2,log2", Ids(c.GetCI(0)));
  EXPECT_EQ("log2", Ids(c.GetCI(1)));
  EXPECT_EQ(c.GetCI(0), c.GetCI(std::string("log2")));
  EXPECT_EQ(nullptr, c.GetCI(std::string("log3")));
  EXPECT_EQ(nullptr, c.GetCI(2));
  CIVector* group = c.FindCIs("the red car ", "el coche roja ");
  ASSERT_NE(nullptr, group);
  ASSERT_EQ(1u, group->size());
  EXPECT_EQ(c.GetCI(0), group->GetCI(0));
  EXPECT_EQ(nullptr, group->GetCI(1));
  // The collection and both indices hold the first; only the collection the second.
  EXPECT_EQ(4, c.GetCI(0)->AddRef());
  EXPECT_EQ(3, c.GetCI(0)->Release());
  EXPECT_EQ(2, c.GetCI(1)->AddRef());
  EXPECT_EQ(1, c.GetCI(1)->Release());
}

TEST(CICollection, IndicesGroupBySentences) {
  CICollection c;
  testing::internal::CaptureStdout();
  Add(c, MakeCI("a", "the red car", "el coche roja", {{3, "rojo"}}));
  Add(c, MakeCI("b", "the red car", "el coche roja", {{1, "un"}}));
  Add(c, MakeCI("c", "the red car", "el coche roja", {{3, "rojas"}}));
  Add(c, MakeCI("d", "the cat", "el gato", {}));
  c.debugPrint();
  EXPECT_EQ(
      "Size of the Collection is 1\n"
      "Number of CIs for this index: 1\n"
      "Number of CIs for this index: 1\n"
      "Size of the Collection is 2\n"
      "Number of CIs for this index: 2\n"
      "Number of CIs for this index: 1\n"
      "Size of the Collection is 3\n"
      "Number of CIs for this index: 3\n"
      "Number of CIs for this index: 1\n"
      "Size of the Collection is 4\n"
      "Number of CIs for this index: 1\n"
      "Number of CIs for this index: 1\n"
      "SL and TL indices : \n"
      "Keys :\nthe red car \nel coche roja \nSize : 3\n"
      "Keys :\nthe cat \nel gato \nSize : 1\n"
      "SL, TL, and CTL indices : \n"
      "Keys :\nthe red car \nel coche roja \nel coche rojo \nSize : 1\n"
      "Keys :\nthe red car \nel coche roja \nun coche roja \nSize : 1\n"
      "Keys :\nthe red car \nel coche roja \nel coche rojas \nSize : 1\n"
      "Keys :\nthe cat \nel gato \nel gato \nSize : 1\n",
      testing::internal::GetCapturedStdout());
  ASSERT_NE(nullptr, c.FindCIs("the red car ", "el coche roja ", "un coche roja "));
  EXPECT_EQ(nullptr, c.FindCIs("the red car ", "el coche roja ", "un coche rojo "));
  EXPECT_EQ(nullptr, c.FindCIs("the red car", "el coche roja"));
  EXPECT_EQ(nullptr, c.GetCorrectIndex({"x"}, true));
  EXPECT_EQ(nullptr, c.GetCorrectIndex({"a", "b", "c", "d"}, true));
  EXPECT_EQ(nullptr, c.GetCorrectIndex({"x", "y"}, false));
  CICollectionIndex* created = c.GetCorrectIndex({"x", "y"}, true);
  ASSERT_NE(nullptr, created);
  EXPECT_EQ(created, c.GetCorrectIndex({"x", "y"}, false));
  EXPECT_TRUE(created->GetCIs().empty());
}

TEST(CICollection, BestCollectionAndRanking) {
  CICollection c;
  testing::internal::CaptureStdout();
  Add(c, MakeCI("a", "the red car", "el coche roja", {{3, "rojo"}, {3, "rojos"}}));
  Add(c, MakeCI("b", "the red car", "el coche roja", {{1, "un"}}));
  Add(c, MakeCI("c", "the red car", "el coche roja", {{1, "un"}}));
  Add(c, MakeCI("d", "the cat", "el gato", {{1, "un"}, {2, "perro"}}));
  std::unique_ptr<CICollection> best = c.CreateBestCICollection();
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(2, best->NumCIs());
  EXPECT_EQ("b,c,c", Ids(best->GetCI(0)));
  EXPECT_EQ("d", Ids(best->GetCI(1)));

  // Complexity: a 3 (two edits of one word), b 1, c 1, d 2.
  c.Rank();
  std::string order;
  for (int i = 0; i < c.NumCIs(); ++i) order += Ids(c.GetCI(i)).substr(0, 1);
  EXPECT_EQ("bcda", order);
  EXPECT_TRUE(CIRanker()(c.GetCI(0), c.GetCI(3)));
  EXPECT_FALSE(CIRanker()(c.GetCI(0), c.GetCI(1)));

  CIVector empty;
  EXPECT_EQ(nullptr, empty.GetBestCI());
  c.Cleanup();
  EXPECT_EQ(0, c.NumCIs());
  EXPECT_EQ(nullptr, c.FindCIs("the cat ", "el gato "));
}

TEST(CICollection, IndexOwnsItsReferences) {
  CorrectionInstance* ci = MakeCI("a", "x", "y", {});
  std::string sl = "x ", tl = "y ";
  {
    CICollectionIndex index(std::vector<std::string*>{&sl, nullptr, &tl});
    EXPECT_TRUE(index.DoKeysMatch({"x ", "y "}));
    EXPECT_FALSE(index.DoKeysMatch({"x ", "y ", ""}));
    testing::internal::CaptureStdout();
    index.AddCI(ci);
    index.AddCI(nullptr);
    index.debugPrint();
    EXPECT_EQ("Number of CIs for this index: 1\nKeys :\nx \ny \nSize : 1\n",
              testing::internal::GetCapturedStdout());
    EXPECT_EQ(3, ci->AddRef());
    EXPECT_EQ(2, ci->Release());
  }
  EXPECT_EQ(0, ci->Release());
}

class Traverser : public testing::Test {
 protected:
  std::vector<std::string> Files(const std::string& dirName,
                                 const std::vector<std::string>& skip = {}) {
    auto t = DirectoryTraverserFactory::createTraverser(dirName);
    for (const std::string& s : skip) t->AddFileToSkip(s);
    std::vector<std::string> files;
    for (std::string f; t->getNextFile(f);) files.push_back(f);
    std::string f = "unchanged";
    EXPECT_FALSE(t->getNextFile(f));
    return files;
  }
  testsupport::TempDir dir_;
};

// Former fault: entries came in file-system order, with subdirectories and
// the logs' own pre-processed copies among them.
TEST_F(Traverser, DeliversSortedLogFilesOnly) {
  // orphan.processed and c.log.processed.processed have no log of their own
  // here, so they are delivered like any other file.
  for (const char* name : {"b.log", "a.log", "a.log.processed", "C.log", "orphan.processed",
                           ".hidden", "c.log.processed.processed"})
    dir_.write(name, "x");
  ASSERT_EQ(0, mkdir(dir_.file("sub").c_str(), 0755));
  const std::string d = dir_.path();
  const std::vector<std::string> expected = {d + "/.hidden",
                                             d + "/C.log",
                                             d + "/a.log",
                                             d + "/b.log",
                                             d + "/c.log.processed.processed",
                                             d + "/orphan.processed"};
  EXPECT_EQ(expected, Files(d));
}

TEST_F(Traverser, DirectoryNames) {
  dir_.write("one.log", "x");
  const std::string d = dir_.path();
  std::string backslashed = d;
  for (char& c : backslashed)
    if (c == '/') c = '\\';
  EXPECT_EQ(std::vector<std::string>{d + "/one.log"}, Files(d + "/*"));
  EXPECT_EQ(std::vector<std::string>{d + "/one.log"}, Files(backslashed + "\\*"));
  EXPECT_EQ(std::vector<std::string>{}, Files(d, {"one.log"}));
  EXPECT_EQ(std::vector<std::string>{}, Files(d + "/missing"));
  ASSERT_EQ(0, mkdir(dir_.file("empty").c_str(), 0755));
  EXPECT_EQ(std::vector<std::string>{}, Files(dir_.file("empty")));
}

TEST_F(Traverser, SkipList) {
  PosixDirectoryTraverser t(dir_.path());
  EXPECT_TRUE(t.ShouldSkip("."));
  EXPECT_TRUE(t.ShouldSkip(".."));
  EXPECT_FALSE(t.ShouldSkip("..."));
  t.AddFileToSkip("x");
  EXPECT_TRUE(t.ShouldSkip("x"));
}

}  // namespace
