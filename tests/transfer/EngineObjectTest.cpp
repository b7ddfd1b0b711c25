// tests/transfer/EngineObjectTest.cpp
#include "transfer/transfer.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Join(const std::set<std::string>& s) {
  std::string out = "{";
  for (const std::string& x : s) out += (out.size() > 1 ? "," : "") + x;
  return out + "}";
}

// Every setting of the engine except `openclass`, one per line.
std::string Settings(const TransferEngine& e) {
  std::ostringstream os;
  os << std::boolalpha << "normalizecase " << e.normalizecase << "\nutf8 " << e.utf8 << "\nutools "
     << (e.utools ? "set" : "null") << "\nunkpolicy " << e.unkpolicy << "\nalwaysdomorph "
     << e.alwaysdomorph << "\nchecklexicon " << e.checklexicon << "\ncompoundsonly "
     << e.compoundsonly << "\ntopNode " << Join(e.topNode) << "\nusefirstset " << e.usefirstset
     << "\nskipsort " << e.skipsort << "\nnoskip " << e.noskip << "\nsortrules " << e.sortrules
     << "\nparsebeam " << e.parsebeam << "\nparseprune " << e.parseprune << "\nxferprune "
     << e.xferprune << "\nlexprune " << e.lexprune << "\nlexlimit " << e.lexlimit
     << "\nlexcombolimit " << e.lexcombolimit << "\ntranslimit " << e.translimit << "\nparselimit "
     << e.parselimit << "\ntransferlimit " << e.transferlimit << "\nuselimits " << e.uselimits
     << "\nlengthlimit " << e.lengthlimit << "\nfindalltrans " << e.findalltrans << "\nshowtrace "
     << e.showtrace << "\nincludesource " << e.includesource << "\nsgmloutput " << e.sgmloutput
     << "\nsgmlsysid " << e.sgmlsysid << "\nsgmldocid " << e.sgmldocid << "\nsrclangname "
     << e.srclangname << "\ntgtlangname " << e.tgtlangname << "\nallowedpartials "
     << Join(e.allowedpartials) << "\ntoprule " << e.toprule << "\ntracktime " << e.tracktime
     << "\ntranstype " << e.transtype << "\nlatticebeam " << e.latticebeam << "\nlatticedups "
     << e.latticedups << "\ngzip " << e.gzip << "\nlogdomain " << e.logdomain << "\nlmWeight "
     << e.lmWeight << "\nruleWeight " << e.ruleWeight << "\nuselm " << e.uselm << "\nusearcscores "
     << e.usearcscores << "\nrandomscores " << e.randomscores << "\noverwritedups "
     << e.overwritedups << "\nmorphtype " << e.morphtype << "\nbyfs " << e.byfs << "\nmorphinited "
     << e.morphinited << "\ngenmorphinited " << e.genmorphinited << "\ndebug " << e.debug
     << "\nparsedebug " << e.parsedebug << "\ntraversedebug " << e.traversedebug
     << "\ntransferdebug " << e.transferdebug << "\nfsdebug " << e.fsdebug << "\nfilldebug "
     << e.filldebug << "\nstepdebug " << e.stepdebug << "\nminimaldebug " << e.minimaldebug
     << "\nenginedebug " << e.enginedebug << "\nattemptdebug " << e.attemptdebug << "\ndecodedebug "
     << e.decodedebug << "\nlmdebug " << e.lmdebug << "\n";
  return os.str();
}

TEST(TransferEngine, NewEngineHasTheDocumentedDefaults) {
  const std::string expected =
      "normalizecase 0\n"
      "utf8 false\n"
      "utools null\n"
      "unkpolicy *copy*\n"
      "alwaysdomorph true\n"
      "checklexicon true\n"
      "compoundsonly false\n"
      "topNode {S}\n"
      "usefirstset false\n"
      "skipsort false\n"
      "noskip true\n"
      "sortrules false\n"
      "parsebeam 0\n"
      "parseprune 0\n"
      "xferprune 0\n"
      "lexprune 0\n"
      "lexlimit 100000\n"
      "lexcombolimit 100000\n"
      "translimit 100000\n"
      "parselimit 100000\n"
      "transferlimit 100000\n"
      "uselimits false\n"
      "lengthlimit 0\n"
      "findalltrans false\n"
      "showtrace 0\n"
      "includesource false\n"
      "sgmloutput false\n"
      "sgmlsysid DAVU\n"
      "sgmldocid document\n"
      "srclangname srclang\n"
      "tgtlangname tgtlang\n"
      "allowedpartials {}\n"
      "toprule \n"
      "tracktime false\n"
      "transtype 0\n"
      "latticebeam 0\n"
      "latticedups false\n"
      "gzip false\n"
      "logdomain false\n"
      "lmWeight 1\n"
      "ruleWeight 0\n"
      "uselm false\n"
      "usearcscores false\n"
      "randomscores false\n"
      "overwritedups false\n"
      "morphtype 0\n"
      "byfs false\n"
      "morphinited false\n"
      "genmorphinited false\n"
      "debug 0\n"
      "parsedebug false\n"
      "traversedebug false\n"
      "transferdebug false\n"
      "fsdebug false\n"
      "filldebug false\n"
      "stepdebug false\n"
      "minimaldebug false\n"
      "enginedebug false\n"
      "attemptdebug false\n"
      "decodedebug false\n"
      "lmdebug false\n";
  TransferEngine e;
  EXPECT_EQ(expected, Settings(e));
  EXPECT_TRUE(e.openclass.empty());
  EXPECT_EQ(1.0, e.lmWeight);
  EXPECT_EQ(0.0, e.ruleWeight);

  // Counters and per-sentence state start defined.
  EXPECT_EQ(0, e.fromtotal);
  EXPECT_EQ(0, e.fromgrammar + e.fromlexicon + e.fromunknown + e.frommorph + e.fromcompounds);
  EXPECT_EQ(-1, e.topparse);
  EXPECT_EQ(0, e.src_sentence_length);
  EXPECT_FALSE(e.addedliterals);
  EXPECT_TRUE(e.rules.empty() && e.parsegroups.empty() && e.constituents.empty());
  EXPECT_FALSE(e.latticeout);
}

// An engine with something in every store, chart and cache, and every
// setting moved off its default.
class FilledEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    e.normalizecase = 1;
    e.utf8 = true;
    e.utools = std::make_unique<UnicodeTools>();
    e.unkpolicy = "*delete*";
    e.topNode = {"NP", "S"};
    e.allowedpartials = {"NP"};
    e.sgmlsysid = "SYS";
    e.lmWeight = 0.5;
    e.transtype = TransferEngine::LATTICE;
    e.debug = 1;
    e.parsedebug = true;
    e.openclass = {"N", "V"};

    for (int i = 0; i < 3; ++i) e.rules.push_back(std::make_unique<TRule>());
    e.parsegroups.push_back(std::make_unique<ParseGroup>());
    e.rulefinder["NP"] = {0};
    e.srclexicon["DOG"] = {1};
    e.ruleids["NP"] = {0, 7};
    e.rulelookup["NP,0"] = 0;
    e.literals = {"DE"};
    e.nonterms = {"NP"};
    e.first["NP"] = {"DET"};
    e.curfirst["S"] = {"S", "NP"};
    e.totalrules = 3;
    e.contextscores["NP S"] = 0.25;
    e.lexiconfiledb["DOG"] = "{N,1}\nN::N |: [\"dog\"] -> [\"perro\"]\n";
    e.idsrcword["N,1"] = "DOG";
    e.poslexicondb["N"] = {"DOG"};

    e.constituents.push_back(std::make_unique<Constituent>());
    e.constituents.push_back(std::make_unique<Constituent>());
    e.arcs.push_back(std::make_unique<Arc>());
    e.agenda = {0, 1};
    e.treefs["0"] = UKernel::FStruc(UKernel::Symbol("X0"));
    e.tmpnodefs[3] = UKernel::FStruc();
    e.topparse = 1;
    e.unknowns["XYZ"] = 1;
    e.sentfss.emplace_back();
    e.fromtotal = 9;

    e.rulewatches = {"NP,0"};
    e.rulefaillist = {"NP,7"};
    e.rulefilters["NP,0"] = 1;
    e.morphtrans = {"N::N |: [\"dog\"] -> [\"perro\"]"};
    e.morphcache["DOGS"] = "((LEX DOG))";

    e.chunkset = {"0 1 DOG"};
    e.rangeBeams["0 1"].push_back(std::make_unique<LatticeArc>());
    e.LatticeArcs.push_back(std::make_unique<LatticeArc>());
    e.probCache["DOG"] = -2.0;
    e.lmprob["DOG"] = "-2\t0";
    e.lmpos["DOG"] = "12";
    e.lmloaded = {"DOG 1"};
  }

  TransferEngine e;
};

TEST_F(FilledEngine, ClearDeletesOnlyTheChart) {
  const std::string settings = Settings(e);
  e.clear();
  EXPECT_TRUE(e.constituents.empty());
  EXPECT_TRUE(e.arcs.empty());
  EXPECT_TRUE(e.agenda.empty());
  EXPECT_TRUE(e.treefs.empty());
  EXPECT_TRUE(e.tmpnodefs.empty());

  EXPECT_EQ(settings, Settings(e));
  EXPECT_EQ(3u, e.rules.size());
  EXPECT_EQ(1u, e.parsegroups.size());
  EXPECT_EQ(1u, e.rulelookup.size());
  EXPECT_EQ(2u, e.openclass.size());
  EXPECT_EQ(1u, e.unknowns.size());
  EXPECT_EQ(1u, e.morphtrans.size());
}

TEST_F(FilledEngine, ClearallEmptiesTheStoreAndKeepsSettingsAndCaches) {
  const std::string settings = Settings(e);
  e.clearall();

  EXPECT_TRUE(e.constituents.empty() && e.arcs.empty() && e.agenda.empty());
  EXPECT_TRUE(e.treefs.empty() && e.tmpnodefs.empty());
  EXPECT_TRUE(e.rules.empty());
  EXPECT_TRUE(e.parsegroups.empty());
  EXPECT_TRUE(e.rulefinder.empty());
  EXPECT_TRUE(e.srclexicon.empty());
  EXPECT_TRUE(e.ruleids.empty());
  EXPECT_TRUE(e.rulelookup.empty());
  EXPECT_TRUE(e.literals.empty());
  EXPECT_TRUE(e.nonterms.empty());
  EXPECT_TRUE(e.first.empty());
  EXPECT_TRUE(e.curfirst.empty());
  EXPECT_TRUE(e.lexiconfiledb.empty());
  EXPECT_TRUE(e.idsrcword.empty());
  EXPECT_TRUE(e.poslexicondb.empty());
  EXPECT_TRUE(e.openclass.empty());
  EXPECT_TRUE(e.unknowns.empty());
  EXPECT_TRUE(e.rulewatches.empty());
  EXPECT_TRUE(e.rulefaillist.empty());
  EXPECT_TRUE(e.rulefilters.empty());
  EXPECT_TRUE(e.chunkset.empty());
  // The rules built from analyses are gone with the store, so a reloaded
  // store gets them again.
  EXPECT_TRUE(e.morphtrans.empty());

  EXPECT_EQ(settings, Settings(e));
  EXPECT_EQ(std::set<std::string>({"NP", "S"}), e.topNode);
  EXPECT_EQ(1u, e.contextscores.size());
  EXPECT_EQ(1u, e.morphcache.size());
  EXPECT_EQ(1u, e.sentfss.size());
  EXPECT_EQ(9, e.fromtotal);
  EXPECT_EQ(1u, e.rangeBeams.size());
  EXPECT_EQ(1u, e.LatticeArcs.size());
  EXPECT_EQ(1u, e.probCache.size());
  EXPECT_EQ(1u, e.lmprob.size());
  EXPECT_EQ(1u, e.lmpos.size());
  EXPECT_EQ(1u, e.lmloaded.size());
  // What is left (the arcs of the lattices among it) goes with the engine;
  // the leak checker of the sanitizer build sees to that.
}

// The engine closes the morphology connections it holds when it goes,
// whichever mode the analysis client is in.
TEST(TransferEngine, DestructionClosesTheServerConnections) {
  for (TransferEngine::morphtypes mode : {TransferEngine::SERVER, TransferEngine::WHOLESENT}) {
    int analysis[2], generation[2];
    ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, analysis));
    ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, generation));
    {
      TransferEngine e;
      e.morphinited = true;
      e.morphsocket = analysis[0];
      e.morphtype = mode;
      e.genmorphinited = true;
      e.genmorphsocket = generation[0];
    }
    char c;
    EXPECT_EQ(0, recv(analysis[1], &c, 1, MSG_DONTWAIT))
        << "analysis connection left open, mode " << mode;
    EXPECT_EQ(0, recv(generation[1], &c, 1, MSG_DONTWAIT))
        << "generation connection left open, mode " << mode;
    close(analysis[1]);
    close(generation[1]);
  }
}

}  // namespace
