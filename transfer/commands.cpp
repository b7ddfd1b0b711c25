// transfer/commands.cpp
// The engine's one-line command language: splitting a line into words and
// dispatching the command word to its handler.
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "transfer/transfer.h"

namespace {

using Args = std::vector<std::string>;  // the words after the command word
using Handler = std::function<void(TransferEngine&, const Args&)>;

// Words are separated by anything the C library counts as white space. A
// word that begins with ";" starts a comment running to the end of the line;
// a ";" inside a word is part of it.
Args splitCommandLine(const std::string& line) {
  Args words;
  std::size_t i = 0;
  const std::size_t n = line.size();
  for (;;) {
    while (i < n && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i == n || line[i] == ';') break;
    const std::size_t start = i;
    while (i < n && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    words.push_back(line.substr(start, i - start));
  }
  return words;
}

// Lower-casing as the engine's lower-case policy does it, whatever policy is
// set: command words and on/off arguments are compared in lower case.
std::string lowerCase(const TransferEngine& e, const std::string& text) {
  if (e.utf8 && e.utools) return e.utools->lowercase(text);
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

const char* onOff(bool value) { return value ? "ON" : "OFF"; }

void tooFewArguments() { std::cout << "Too few arguments" << std::endl; }

// Printed without a line end, as it always has been.
void wrongNumberOfArguments() { std::cout << "Wrong number of arguments" << std::flush; }

// "on" sets, "off" clears, any other word leaves the switch alone.
void setSwitch(const TransferEngine& e, const std::string& word, bool& member) {
  const std::string w = lowerCase(e, word);
  if (w == "on") member = true;
  if (w == "off") member = false;
}

// A whole decimal number in [min, max], the whole word and nothing else.
// Anything else is reported on the error stream and gives false, so that a
// mistyped argument never becomes 0 or wraps around to a huge limit.
bool readWholeNumber(const std::string& command, const std::string& word, long long min,
                     long long max, long long& value) {
  const char* begin = word.c_str();
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(begin, &end, 10);
  if (end != begin && *end == '\0' && errno == 0 && v >= min && v <= max) {
    value = v;
    return true;
  }
  std::cerr << command << ": expected a whole number from " << min << " to " << max << ", found \""
            << word << "\"" << std::endl;
  return false;
}

bool readFraction(const std::string& command, const std::string& word, double& value) {
  const char* begin = word.c_str();
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(begin, &end);
  if (end != begin && *end == '\0' && errno == 0 && std::isfinite(v)) {
    value = v;
    return true;
  }
  std::cerr << command << ": expected a number, found \"" << word << "\"" << std::endl;
  return false;
}

constexpr long long kUnsignedMax = std::numeric_limits<unsigned>::max();
constexpr long long kIntMin = std::numeric_limits<int>::min();
constexpr long long kIntMax = std::numeric_limits<int>::max();

// Every rule gets a whole score from 0 to 1000, every group the highest score
// of its members, and the members of each group are ordered again.
void rescoreRandomly(TransferEngine& e) {
  for (auto& rule : e.rules)
    rule->score = static_cast<float>(
        static_cast<int>(static_cast<double>(std::rand()) / 2147483647.0 * 1000));
  for (auto& group : e.parsegroups) {
    bool first = true;
    for (unsigned r : group->trules) {
      if (r >= e.rules.size()) continue;
      if (first || e.rules[r]->score > group->score) group->score = e.rules[r]->score;
      first = false;
    }
  }
  e.sortTransferRules();
}

// The destructor's work done in place: the engine may be a local of the
// caller or held by an owner, so it cannot be freed here, and exit() runs no
// destructors of the caller's objects. Open connections are closed, an open
// lattice file is flushed, and the rules are released before the process
// ends.
[[noreturn]] void quitProcess(TransferEngine& e) {
  if (e.morphinited && e.morphsocket >= 0) close(e.morphsocket);
  if (e.genmorphinited && e.genmorphsocket >= 0) close(e.genmorphsocket);
  e.morphinited = e.genmorphinited = false;
  e.latticeout.reset();
  e.utools.reset();
  e.clearall();
  std::cout.flush();
  std::exit(0);
}

// --- Handler makers for the families of commands ---

Handler onOffSwitch(bool TransferEngine::*member, const char* confirmation) {
  return [member, confirmation](TransferEngine& e, const Args& args) {
    if (args.empty()) return tooFewArguments();
    setSwitch(e, args[0], e.*member);
    std::cout << confirmation << onOff(e.*member) << std::endl;
  };
}

Handler textSetting(std::string TransferEngine::*member, const char* confirmation) {
  return [member, confirmation](TransferEngine& e, const Args& args) {
    if (args.empty()) return wrongNumberOfArguments();
    e.*member = args[0];
    std::cout << confirmation << e.*member << "\"" << std::endl;
  };
}

Handler fractionSetting(const char* name, double TransferEngine::*member,
                        const char* confirmation) {
  return [member, name, confirmation](TransferEngine& e, const Args& args) {
    if (args.empty()) return tooFewArguments();
    double v = 0;
    if (!readFraction(name, args[0], v)) return;
    e.*member = v;
    std::cout << confirmation << e.*member << std::endl;
  };
}

// A bad number is reported under the command's name and changes nothing.
Handler unsignedSetting(const char* name, unsigned TransferEngine::*member,
                        const char* confirmation) {
  return [name, member, confirmation](TransferEngine& e, const Args& args) {
    if (args.empty()) return tooFewArguments();
    long long v = 0;
    if (!readWholeNumber(name, args[0], 0, kUnsignedMax, v)) return;
    e.*member = static_cast<unsigned>(v);
    std::cout << confirmation << e.*member << std::endl;
  };
}

// Words under the engine's case policy, in order.
std::vector<std::string> casedWords(const TransferEngine& e, const Args& args) {
  std::vector<std::string> out;
  out.reserve(args.size());
  for (const std::string& a : args) out.push_back(e.applyCase(a));
  return out;
}

// --- Settings with a value ---

void normalizeCaseCommand(TransferEngine& e, const Args& args) {
  if (args.size() == 1) {
    const std::string w = lowerCase(e, args[0]);
    if (w == "on" || w == "upper") e.normalizecase = 1;
    if (w == "lower") e.normalizecase = 2;
    if (w == "off") e.normalizecase = 0;
  }
  const char* name = e.normalizecase == 1   ? "UPPER-CASE"
                     : e.normalizecase == 2 ? "lower-case"
                                            : "Off";
  std::cout << "Setting normalizecase to " << name << std::endl;
}

void showTraceCommand(TransferEngine& e, const Args& args) {
  if (args.size() == 1) {
    const std::string w = lowerCase(e, args[0]);
    if (w == "on" || w == "top") e.showtrace = 1;
    if (w == "all" || w == "full") e.showtrace = 2;
    if (w == "src") e.showtrace = 3;
    if (w == "toprule") e.showtrace = 4;
    if (w == "off") e.showtrace = 0;
  }
  static const char* const kNames[] = {"off", "top rule only", "full trace",
                                       "full trace with src indices", "top rule id only"};
  std::cout << "Setting showtrace to ";
  if (e.showtrace >= 0 && e.showtrace <= 4)
    std::cout << kNames[e.showtrace];
  else
    std::cout << e.showtrace;
  std::cout << std::endl;
}

void parseBeamCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  long long v = 0;
  if (readWholeNumber("parsebeam", args[0], kIntMin, kIntMax, v)) e.parsebeam = static_cast<int>(v);
}

void latticeBeamCommand(const char* name, TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  long long v = 0;
  if (args[0] != "off" && !readWholeNumber(name, args[0], 0, kUnsignedMax, v)) return;
  e.latticebeam = static_cast<unsigned>(v);
  if (e.latticebeam == 0)
    std::cout << "No limits on lattice output for a given range." << std::endl;
  else
    std::cout << "Limit lattice output for a given range to " << e.latticebeam << " arcs."
              << std::endl;
}

void openClassCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) {
    for (const std::string& category : e.openclass) std::cout << category << '\n';
    std::cout.flush();
    return;
  }
  e.openclass = casedWords(e, args);
}

void allowedPartialsCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return;
  const std::vector<std::string> words = casedWords(e, args);
  e.allowedpartials = std::set<std::string>(words.begin(), words.end());
}

void topNodeCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  const std::vector<std::string> words = casedWords(e, args);
  e.topNode = std::set<std::string>(words.begin(), words.end());
}

void utf8Command(TransferEngine& e, const Args&) {
  e.utf8 = true;
  e.utools = std::make_unique<UnicodeTools>();
  std::cout << "Turning on UTF-8 mode" << std::endl;
}

void latin1Command(TransferEngine&, const Args&) {
  const bool ctype = std::setlocale(LC_CTYPE, "es_ES") != nullptr;
  const bool collate = std::setlocale(LC_COLLATE, "es_ES") != nullptr;
  if (!ctype || !collate)
    std::cerr << "latin1: the locale es_ES is not installed; character classes are unchanged"
              << std::endl;
  std::cout << "Turning on Latin-1 mode" << std::endl;
}

void setLogCommand(TransferEngine&, const Args& args) {
  // "null", "stdout" or any other word: kept for old initialisation files.
  if (args.empty()) tooFewArguments();
}

// --- Switches with more to them ---

void grammarDebugCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  bool on = e.debug != 0;
  setSwitch(e, args[0], on);
  e.debug = on ? 1 : 0;
  std::cout << "Setting grammar debug to " << onOff(on) << std::endl;
}

void parseByFsCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  setSwitch(e, args[0], e.byfs);
  e.morphtype = TransferEngine::WHOLESENT;
  std::cout << "Setting do morphology by sentence to " << onOff(e.byfs) << std::endl;
}

void arcScoresCommand(TransferEngine& e, const Args& args) {
  if (args.size() != 1) return wrongNumberOfArguments();
  setSwitch(e, args[0], e.usearcscores);
  std::cout << "Setting calculate arc scores to " << onOff(e.usearcscores) << std::endl;
}

void randomScoresCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) {
    e.randomscores = true;
    rescoreRandomly(e);
    std::cout << "Turning on random scores" << std::endl;
    return;
  }
  setSwitch(e, args[0], e.randomscores);
  if (lowerCase(e, args[0]) == "on") rescoreRandomly(e);
  std::cout << "Setting random scores to " << onOff(e.randomscores) << std::endl;
}

// --- Debug groups ---

void setDebugGroup(TransferEngine& e, bool on) {
  e.debug = on ? 1 : 0;
  e.parsedebug = e.traversedebug = e.transferdebug = e.fsdebug = e.filldebug = e.stepdebug =
      e.minimaldebug = on;
  std::cout << (on ? "Turning on all debug output" : "Turning off all debug output") << std::endl;
}

void debugStatusCommand(TransferEngine& e, const Args&) {
  std::cout << "Minimal debug : " << onOff(e.minimaldebug) << '\n'
            << "Grammar debug : " << onOff(e.debug != 0) << '\n'
            << "Parse debug   : " << onOff(e.parsedebug) << '\n'
            << "Traverse debug: " << onOff(e.traversedebug) << '\n'
            << "Transfer debug: " << onOff(e.transferdebug) << '\n'
            << "FS debug      : " << onOff(e.fsdebug) << '\n'
            << "Step debug    : " << onOff(e.stepdebug) << '\n'
            << "Fill debug    : " << onOff(e.filldebug) << '\n'
            << "Find all      : " << onOff(e.findalltrans) << std::endl;
}

// --- Rules ---

void loadGrammarCommand(TransferEngine& e, const Args& args, bool overwrite) {
  if (args.empty()) return wrongNumberOfArguments();
  std::cout << "Loading rule file " << args[0] << " with " << std::flush;
  const bool before = e.overwritedups;
  if (overwrite) e.overwritedups = true;
  const int added = e.loadRuleFile(args[0]);
  e.overwritedups = before;
  std::cout << added << " rules added" << std::endl;
}

void loadLexiconCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  std::cout << "Loading lexicon file " << args[0] << " with " << std::flush;
  const int entries = e.loadLexiconFile(args[0]);
  std::cout << entries << " lexical entries added" << std::endl;
}

// The confirmation follows a write that worked; a failed one has been
// reported on the error stream.
void saveGrammarCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  if (e.saveGrammar(args[0])) std::cout << "Saving current grammar to " << args[0] << std::endl;
}

void saveLexiconCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  if (e.saveLexicon(args[0])) std::cout << "Saving current lexicon to " << args[0] << std::endl;
}

void loadContextCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  std::cout << "Loading context scores file:  " << args[0] << std::endl;
  e.loadContextScores(args[0]);
}

// A rule or group number as typed: only a plain decimal number in range
// names one, anything else names nothing.
bool readPosition(const std::string& word, std::size_t size, std::size_t& position) {
  if (word.empty() || !std::isdigit(static_cast<unsigned char>(word[0]))) return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long v = std::strtoull(word.c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || v >= size) return false;
  position = static_cast<std::size_t>(v);
  return true;
}

void ruleCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  for (const std::string& a : args) {
    std::size_t number = 0;
    if (a.find(',') != std::string::npos)
      e.printRule(a);
    else if (readPosition(a, e.rules.size(), number))
      e.printRule(static_cast<unsigned>(number));
  }
}

void printGroupMembers(const TransferEngine& e, const ParseGroup& group) {
  for (unsigned r : group.trules)
    if (r < e.rules.size()) std::cout << e.rules[r]->ruleid << ' ';
}

void parseGroupCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  std::size_t g = 0;
  if (!readPosition(args[0], e.parsegroups.size(), g)) return;
  printGroupMembers(e, *e.parsegroups[g]);
  std::cout << std::endl;
}

void allParseGroupsCommand(TransferEngine& e, const Args&) {
  for (const auto& group : e.parsegroups) {
    std::cout << group->src_lhs << " : ";
    printGroupMembers(e, *group);
    std::cout << '\n';
  }
  std::cout.flush();
}

void listRuleIdsCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  e.printRuleFinder(lowerCase(e, args[0]));
}

void deleteLastCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  long long n = 0;
  if (readWholeNumber("deln", args[0], kIntMin, kIntMax, n))
    e.deleteLastNRules(static_cast<int>(n));
}

void deleteCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  const std::string id = e.applyCase(args[0]);
  std::cout << "Deletion of " << id << (e.deleteRule(id) ? " successful!" : " NOT successful.")
            << std::endl;
}

void clearAllCommand(TransferEngine& e, const Args&) {
  e.clearall();
  std::cout << "Deleting all loaded rules." << std::endl;
}

// --- Rule debugging: IDs are lower-cased before the lists see them ---

void addWatchCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  for (const std::string& a : args) {
    const std::string id = lowerCase(e, a);
    std::cout << "Adding rule watch : " << id << std::endl;
    e.addWatch(id);
  }
}

void removeWatchCommand(TransferEngine& e, const Args& args) {
  if (args.empty()) return tooFewArguments();
  const std::string id = lowerCase(e, args[0]);
  std::cout << "Removing rule watch : " << id << std::endl;
  e.deleteWatch(id);
}

Handler withLowerCasedId(void (*action)(TransferEngine&, const std::string&)) {
  return [action](TransferEngine& e, const Args& args) {
    if (args.empty()) return tooFewArguments();
    action(e, lowerCase(e, args[0]));
  };
}

// --- The table ---

void addAll(std::map<std::string, Handler>& table, std::initializer_list<const char*> names,
            const Handler& handler) {
  for (const char* name : names) table.emplace(name, handler);
}

std::map<std::string, Handler> makeCommandTable() {
  using E = TransferEngine;
  std::map<std::string, Handler> t;

  // On/off switches.
  const struct {
    std::initializer_list<const char*> names;
    bool E::*member;
    const char* confirmation;
  } switches[] = {
      {{"sortrules"}, &E::sortrules, "Setting rule sorting to "},
      {{"skipsort"}, &E::skipsort, "Setting skipped word arc sorting to "},
      {{"alwaysmorph"}, &E::alwaysdomorph, "Setting always do morphology to "},
      {{"checklexicon"}, &E::checklexicon, "Setting always check lexicon w/ original word to "},
      {{"includesource", "includetrace"}, &E::includesource, "Setting output source text to "},
      {{"enginedebug"}, &E::enginedebug, "Setting engine debug to "},
      {{"lmdebug"}, &E::lmdebug, "Setting language model debug to "},
      {{"attemptdebug"}, &E::attemptdebug, "Setting attempt debug to "},
      {{"decodedebug"}, &E::decodedebug, "Setting decode debug to "},
      {{"uselimits"}, &E::uselimits, "Setting use limits during transfer to "},
      {{"parsedebug"}, &E::parsedebug, "Setting parse debug to "},
      {{"traversedebug"}, &E::traversedebug, "Setting traverse debug to "},
      {{"transferdebug"}, &E::transferdebug, "Setting transfer debug to "},
      {{"fsdebug"}, &E::fsdebug, "Setting feature unification debug to "},
      {{"filldebug"}, &E::filldebug, "Setting feature filling debug to "},
      {{"minimaldebug"}, &E::minimaldebug, "Setting minimal debug to "},
      {{"stepdebug"}, &E::stepdebug, "Setting step by step debug to "},
      {{"findall"}, &E::findalltrans, "Setting find all translations to "},
      {{"timer"}, &E::tracktime, "Setting timer to "},
      {{"sgmlout"}, &E::sgmloutput, "Setting sgml output to "},
      {{"logdomain"}, &E::logdomain, "Setting -log domain scoring to "},
      {{"gzip"}, &E::gzip, "Setting gzip lattice output to "},
      {{"latticedups"}, &E::latticedups, "Setting allow lattice duplicates to "},
  };
  for (const auto& s : switches) addAll(t, s.names, onOffSwitch(s.member, s.confirmation));
  t.emplace("grammardebug", grammarDebugCommand);
  t.emplace("parsebyfs", parseByFsCommand);
  t.emplace("arcscores", arcScoresCommand);
  t.emplace("randomscores", randomScoresCommand);

  // Settings with a value.
  t.emplace("normalizecase", normalizeCaseCommand);
  t.emplace("showtrace", showTraceCommand);
  t.emplace("unkpolicy", textSetting(&E::unkpolicy, "Setting unknown policy to \""));
  t.emplace("srclang", textSetting(&E::srclangname, "Setting source language name to \""));
  t.emplace("tgtlang", textSetting(&E::tgtlangname, "Setting target language name to \""));
  t.emplace("docid", textSetting(&E::sgmldocid, "Setting document id to \""));
  t.emplace("sysid", textSetting(&E::sgmlsysid, "Setting system id to \""));
  t.emplace("lengthlimit", unsignedSetting("lengthlimit", &E::lengthlimit,
                                           "Setting constituent word length limit to "));
  t.emplace("parsepruning",
            unsignedSetting("parsepruning", &E::parseprune, "Setting parse pruning level to "));
  t.emplace("xferpruning",
            unsignedSetting("xferpruning", &E::xferprune, "Setting transfer pruning level to "));
  t.emplace("lexpruning",
            unsignedSetting("lexpruning", &E::lexprune, "Setting lexical pruning level to "));
  t.emplace("parsebeam", parseBeamCommand);
  t.emplace("lmweight",
            fractionSetting("lmweight", &E::lmWeight, "Setting language model weight to "));
  t.emplace("ruleweight",
            fractionSetting("ruleweight", &E::ruleWeight, "Setting rule score weight to "));
  for (const char* name : {"latticebeam", "rangebeam"})
    t.emplace(name, [name](E& e, const Args& a) { latticeBeamCommand(name, e, a); });
  t.emplace("openclass", openClassCommand);
  addAll(t, {"allowedpartials", "partialfilter"}, allowedPartialsCommand);
  t.emplace("topnode", topNodeCommand);
  t.emplace("utf8", utf8Command);
  t.emplace("latin1", latin1Command);
  t.emplace("setlog", setLogCommand);

  // Debug groups.
  addAll(t, {"alldebug", "allon"}, [](E& e, const Args&) { setDebugGroup(e, true); });
  addAll(t, {"alloff", "quiet"}, [](E& e, const Args&) { setDebugGroup(e, false); });
  t.emplace("debugstatus", debugStatusCommand);

  // Rules.
  addAll(t, {"loadgra", "loadrules"}, [](E& e, const Args& a) { loadGrammarCommand(e, a, false); });
  addAll(t, {"reloadgra", "reloadrules"},
         [](E& e, const Args& a) { loadGrammarCommand(e, a, true); });
  t.emplace("loadlex", loadLexiconCommand);
  t.emplace("savegra", saveGrammarCommand);
  t.emplace("savelex", saveLexiconCommand);
  t.emplace("loadcontext", loadContextCommand);
  t.emplace("rule", ruleCommand);
  t.emplace("pg", parseGroupCommand);
  addAll(t, {"allparsegroups", "allpgs"}, allParseGroupsCommand);
  t.emplace("allrules", [](E& e, const Args&) { std::cout << e.getAllRules() << std::flush; });
  t.emplace("alllexicon",
            [](E& e, const Args&) { std::cout << e.getAllLexicalRules() << std::flush; });
  t.emplace("listruleids", listRuleIdsCommand);
  t.emplace("deln", deleteLastCommand);
  t.emplace("del", deleteCommand);
  t.emplace("clear", [](E& e, const Args&) { e.clear(); });
  t.emplace("clearall", clearAllCommand);

  // Rule debugging.
  t.emplace("addwatch", addWatchCommand);
  t.emplace("rmwatch", removeWatchCommand);
  t.emplace("listwatches", [](E& e, const Args&) { e.printWatches(); });
  t.emplace("addfail", withLowerCasedId([](E& e, const std::string& id) { e.addRuleFail(id); }));
  t.emplace("rmfail", withLowerCasedId([](E& e, const std::string& id) { e.removeRuleFail(id); }));
  t.emplace("listfails", [](E& e, const Args&) { std::cout << e.listRuleFails() << std::flush; });
  t.emplace("addfilter",
            withLowerCasedId([](E& e, const std::string& id) { e.addOneTimeRuleFilter(id); }));
  t.emplace("rmfilter",
            withLowerCasedId([](E& e, const std::string& id) { e.removeOneTimeRuleFilter(id); }));
  t.emplace("listfilters", [](E& e, const Args&) { e.listOneTimeRuleFilters(); });

  // General.
  addAll(t, {"help", "h"}, [](E& e, const Args&) { e.printHelp(); });
  addAll(t, {"quit", "exit", "q"}, [](E& e, const Args&) { quitProcess(e); });
  return t;
}

const std::map<std::string, Handler>& commandTable() {
  static const std::map<std::string, Handler> table = makeCommandTable();
  return table;
}

}  // namespace

void TransferEngine::processCommand(const std::string& line) {
  const Args words = splitCommandLine(line);
  if (words.empty()) return;
  const auto& table = commandTable();
  const auto it = table.find(lowerCase(*this, words[0]));
  if (it == table.end()) {
    // Any other line is a sentence to translate, and this engine has no
    // translation pipeline to hand it to: say so rather than drop it.
    std::cerr << "Not a command, and sentences cannot be translated by this engine: " << line
              << std::endl;
    return;
  }
  it->second(*this, Args(words.begin() + 1, words.end()));
}
