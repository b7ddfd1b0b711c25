// transfer/transfer.h
#pragma once

#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "kernel/fStruc.h"
#include "transfer/Arc.h"
#include "transfer/Constituent.h"
#include "transfer/LatticeArc.h"
#include "transfer/TRule.h"
#include "transfer/UnicodeTools.h"

// The translation engine as one object: its loaded rules, the chart of the
// sentence being translated, and the settings that steer word lookup,
// parsing, transfer, output, lattices and debugging. Settings change only
// through the engine's commands; every member has its working default after
// construction.
//
// The engine is one class whose definitions are spread over the sources of
// this folder by stage. Its state is public: the stages, the command
// interpreter and the tests read and set it directly.
class TransferEngine {
 public:
  enum transtypes { SENTENCE = 0, LATTICE = 1 };
  enum morphtypes { OFF = 0, KIMMO = 1, SERVER = 2, WHOLESENT = 3 };

  // Seeds the C library's random numbers with the processor time used so far.
  TransferEngine();
  // Closes the morphology connections still open, then frees everything.
  ~TransferEngine();
  TransferEngine(const TransferEngine&) = delete;
  TransferEngine& operator=(const TransferEngine&) = delete;

  // Deletes the chart of the last sentence: constituents, arcs, agenda and
  // the structures of its tree paths.
  void clear();
  // clear(), then deletes every rule and parse group with their indices, the
  // lexicon file index, the rule debugging lists, the unknown-word record,
  // the open classes and the rule texts added from morphological analyses.
  // Settings, top categories, context scores, the analysis cache and the
  // language-model tables stay.
  void clearall();

  // Reads feature-structure text: the structures in the order written.
  // Malformed text is reported on the error stream; the structures read
  // completely before the fault are returned.
  std::vector<UKernel::FStruc> stringToFS(const std::string& text);

  // --- Rule store: loading ---
  // The engine's case policy (normalizecase, utf8) applied to one text.
  std::string applyCase(const std::string& text) const;
  // Reads a grammar or lexicon file and stores its rules. Returns the number
  // of rules added; 0 when the file cannot be opened (reported).
  int loadRuleFile(const std::string& file);
  // The same for rule text held in a string. Does not sort transfer rules.
  int addNewRule(const std::string& text);
  // Stores one rule the reader completed: refuses or replaces a duplicate
  // ID, numbers it, and puts it into its parse group and the indices.
  // Returns false when the rule was refused.
  bool storeRule(std::unique_ptr<TRule> rule);
  // Indexes a lexicon file by head word without parsing it. Returns the
  // number of entries indexed; 0 when the file cannot be opened.
  int loadLexiconFile(const std::string& file);
  // Loads the entries the lexicon file index holds for `word`, once, unless
  // lexical rules for the word are loaded already. Returns the number of
  // rules added.
  int loadIndexedEntries(const std::string& word);
  // Reads "context<TAB>score" lines into contextscores.
  void loadContextScores(const std::string& file);

  // --- Rule store: deleting ---
  // Deletes rule `number` and renumbers what lies above it; false when there
  // is no such rule.
  bool deleteRule(unsigned number);
  // Deletes the rule with this ID, loading it from the lexicon file index
  // first when only the index holds it. False for an unknown ID.
  bool deleteRule(const std::string& id);
  // Deletes the last n rules; nothing when n is not in 1..number of rules.
  void deleteLastNRules(int n);

  // --- Rule store: derived sets ---
  void computeNonterms();
  void computeFirst();
  // Orders the members of every group by descending score, keeping the
  // order of equal scores.
  void sortTransferRules();

  // --- Rule store: writing ---
  // Both return false when the file cannot be opened (reported).
  bool saveGrammar(const std::string& file);
  bool saveLexicon(const std::string& file);
  // The rule text and a line end; "" for an unknown ID.
  std::string getRule(const std::string& id) const;
  // Phrase rules, or lexical and compound rules, in rule order, each text
  // followed by a line end.
  std::string getAllRules() const;
  std::string getAllLexicalRules() const;
  // A line end, the rule text and a line end on the output stream; nothing
  // for an unknown ID or number.
  void printRule(const std::string& ruleid) const;
  void printRule(unsigned number) const;
  void printRuleFinder(const std::string& category) const;

  // --- Rule watches, fail lists and one-time filters ---
  // IDs are taken as given, except that the watch operations apply the case
  // policy first. Only IDs of loaded rules are accepted.
  int addWatch(const std::string& ruleid);
  int deleteWatch(const std::string& ruleid);
  void deleteAllWatches();
  void printWatches() const;
  bool addRuleFail(const std::string& ruleid);
  bool removeRuleFail(const std::string& ruleid);
  std::string listRuleFails() const;
  void addOneTimeRuleFilter(const std::string& ruleid);
  void addOneTimeRuleFilter(const std::string& ruletype, int ruleindex);
  void removeOneTimeRuleFilter(const std::string& ruleid);
  void listOneTimeRuleFilters() const;
  // The step prompt: reads commands from standard input until one that
  // leaves it.
  void stepDebug();

  // --- Command interpreter ---
  // Interprets one command line: settings, debug switches, rule loading and
  // listing, rule debugging, help and quit. Messages go to standard output,
  // problems with an argument to the error stream. An empty line or one that
  // starts with a ";" word does nothing; `quit`, `exit` and `q` release the
  // engine and end the process with status 0.
  void processCommand(const std::string& line);
  // Passes every line of the file to processCommand, in order. A file that
  // cannot be read is reported and skipped.
  void initFromFile(const std::string& initfile);
  // The command summary, one line end after every line.
  void printHelp() const;

  // --- Word lookup and chart seeding ---
  // Splits the text at white space and parses the words; 0 when the text
  // has no words.
  int parse(const std::string& sentence);
  // Seeds a fresh chart with the words' constituents and parses it. Returns
  // 1 when a constituent of a top category covers every word, else 0; the
  // chart stays for transfer either way.
  int parse(const std::vector<std::string>& words);
  // The first phase of parse(words): clears the chart, normalises the words'
  // case and puts the constituents of every word on the agenda.
  void seedChart(const std::vector<std::string>& sentencewords);
  // Adds constituents for the entries of the word at `wordindex`: its
  // literal (once per index), then compounds or single-word entries as
  // `compoundsonly` says. Returns the number of lexical constituents added.
  int addWordEntriesToChart(const std::string& word, int wordindex,
                            const std::vector<std::string>& sentencewords);
  // Creates entries for a word missing from the lexicon under the unknown
  // word policy and adds their constituents; returns their number.
  int addUnknownWordsToChart(const std::string& word, int wordindex,
                             const std::vector<std::string>& sentencewords);
  // Entries built from a morphology server's analyses; nothing while no
  // server is connected.
  int addWordEntriesWithMorphology(const std::string& word, int wordindex,
                                   const std::vector<std::string>& sentencewords);
  // Stores a lexical entry made from text; its rule number, or -1 when the
  // entry could not be stored.
  int addlexentry(const std::string& sourceword, const std::string& targetword,
                  const std::string& category);
  // Queues constituent `constituent` after agenda position `position`,
  // before the first later entry that ends after it.
  void addKey(int constituent, int position);
  std::string applyCasePolicy(const std::string& text) const;
  // 1 upper-cases, 2 lower-cases, anything else keeps the text.
  std::string applyCasePolicy(const std::string& text, int policy) const;

  // --- Chart parser ---
  // The parser's steps for one key, exposed for the transcripts and tests.
  // predictArc returns false when left-corner filtering finds that the
  // first top category has no left-corner set (parsing must stop).
  bool predictArc(unsigned group, int key);
  void advanceArc(unsigned arc, int key, int position);
  void sortArcsBySkips();

  // --- Word lookup and case ---
  int normalizecase = 0;  // 0 keeps case, 1 upper-cases, 2 lower-cases
  bool utf8 = false;
  std::unique_ptr<UnicodeTools> utools;  // case mapping in UTF-8 mode
  std::string unkpolicy = "*copy*";      // "*copy*", "*delete*" or a replacement word
  std::vector<std::string> openclass;
  bool alwaysdomorph = true;
  bool checklexicon = true;
  bool compoundsonly = false;

  // --- Parsing ---
  std::set<std::string> topNode{"S"};
  bool usefirstset = false;
  bool skipsort = false;
  bool noskip = true;
  bool sortrules = false;
  int parsebeam = 0;
  unsigned parseprune = 0;
  unsigned xferprune = 0;
  unsigned lexprune = 0;

  // --- Limits on transfer ---
  unsigned lexlimit = 100000;
  unsigned lexcombolimit = 100000;
  unsigned translimit = 100000;
  unsigned parselimit = 100000;
  unsigned transferlimit = 100000;
  bool uselimits = false;
  unsigned lengthlimit = 0;
  bool findalltrans = false;

  // --- Output ---
  int showtrace = 0;  // 0 off, 1 top rule, 2 full, 3 full with source indices, 4 top rule id
  bool includesource = false;
  bool sgmloutput = false;
  std::string sgmlsysid = "DAVU";
  std::string sgmldocid = "document";
  std::string srclangname = "srclang";
  std::string tgtlangname = "tgtlang";
  std::set<std::string> allowedpartials;
  std::string toprule;
  bool tracktime = false;
  transtypes transtype = SENTENCE;

  // --- Lattices and scores ---
  unsigned latticebeam = 0;  // 0: no limit
  bool latticedups = false;
  bool gzip = false;
  bool logdomain = false;
  double lmWeight = 1.0;
  double ruleWeight = 0.0;
  bool uselm = false;
  bool usearcscores = false;
  bool randomscores = false;
  bool overwritedups = false;

  // --- Morphology servers ---
  morphtypes morphtype = OFF;
  bool byfs = false;
  bool morphinited = false;
  int morphsocket = -1;
  bool genmorphinited = false;
  int genmorphsocket = -1;

  // --- Debug switches ---
  int debug = 0;  // rule loading
  bool parsedebug = false;
  bool traversedebug = false;
  bool transferdebug = false;
  bool fsdebug = false;
  bool filldebug = false;
  bool stepdebug = false;
  bool minimaldebug = false;
  bool enginedebug = false;
  bool attemptdebug = false;
  bool decodedebug = false;
  bool lmdebug = false;

  // --- Rule store ---
  std::vector<std::unique_ptr<TRule>> rules;                // position = rule number
  std::vector<std::unique_ptr<ParseGroup>> parsegroups;     // position = group number
  std::map<std::string, std::vector<unsigned>> rulefinder;  // first source element -> groups
  std::map<std::string, std::vector<unsigned>> srclexicon;  // first source word -> groups
  std::map<std::string, std::set<int>> ruleids;             // rule name -> indices in use
  std::map<std::string, unsigned> rulelookup;               // rule ID -> rule number
  std::set<std::string> literals;
  std::set<std::string> nonterms;
  std::map<std::string, std::set<std::string>> first;
  std::map<std::string, std::set<std::string>> curfirst;  // left-corner sets
  int totalrules = 0;
  std::map<std::string, double> contextscores;
  std::map<std::string, std::string> lexiconfiledb;           // head word -> text of its entries
  std::map<std::string, std::string> idsrcword;               // rule ID -> head word
  std::map<std::string, std::set<std::string>> poslexicondb;  // category -> head words

  // --- The sentence being translated ---
  std::vector<std::unique_ptr<Constituent>> constituents;  // position = constituent number
  std::vector<std::unique_ptr<Arc>> arcs;
  std::vector<int> agenda;
  std::map<std::string, UKernel::FStruc> treefs;  // tree path -> source structure
  std::map<unsigned, UKernel::FStruc> tmpnodefs;
  int topparse = -1;  // the last complete parse, -1 when none
  int src_sentence_length = 0;
  bool builtfs = true;  // no parse equation failed while building the last structure
  bool filled = true;   // the fill pass has not failed
  bool addedliterals = false;
  std::vector<UKernel::FStruc> sentfss;
  std::map<std::string, int> unknowns;
  // Where the lexical entries of the sentences came from.
  int fromtotal = 0;
  int fromgrammar = 0;
  int fromlexicon = 0;
  int fromunknown = 0;
  int frommorph = 0;
  int fromcompounds = 0;

  // --- Rule debugging ---
  std::set<std::string> rulewatches;
  std::set<std::string> rulefaillist;
  std::map<std::string, int> rulefilters;

  // --- Morphology caches ---
  std::set<std::string> morphtrans;               // rule texts added from analyses
  std::map<std::string, std::string> morphcache;  // word -> text of its analyses

  // --- Lattices, language model and decoding ---
  std::unique_ptr<std::ostream> latticeout;  // null while no lattice is written
  std::set<std::string> chunkset;
  std::map<std::string, std::vector<std::unique_ptr<LatticeArc>>> rangeBeams;  // span -> beam
  std::vector<std::unique_ptr<LatticeArc>> LatticeArcs;
  std::map<std::string, double> probCache;
  std::map<std::string, std::string> lmprob;
  std::map<std::string, std::string> lmpos;
  std::ifstream lmfile;
  std::set<std::string> lmloaded;
};
