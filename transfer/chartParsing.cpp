// transfer/chartParsing.cpp
// The chart parser: bottom-up, left to right over the agenda of seeded
// constituents, matching parse groups and packing every category and span
// into one constituent with a tree path and feature structure per
// derivation.
#include <cassert>
#include <cstddef>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kernel/fsRegs.h"
#include "kernel/symbol.h"
#include "transfer/transfer.h"

namespace {

// A skip allowance of this size or more lets any number of words be skipped.
constexpr int kAnySkip = 1000;

}  // namespace

int TransferEngine::parse(const std::vector<std::string>& words) {
  seedChart(words);
  int result = 0;
  for (std::size_t k = 0; k < agenda.size(); ++k) {
    const int key = agenda[k];
    Constituent& K = *constituents[static_cast<std::size_t>(key)];
    if (parsedebug) {
      std::cout << "\n** Selecting KEY #" << key << " of type '" << K.type << "' starting at "
                << K.start << " ending at " << K.end << std::endl;
      if (stepdebug) stepDebug();
    }
    K.status = Constituent::KEY;

    if (auto it = rulefinder.find(K.type); it != rulefinder.end()) {
      const std::vector<unsigned> groups = it->second;
      for (unsigned g : groups)
        if (!predictArc(g, key)) return 0;
    }
    // Arcs added while matching are matched too: the list is read by index.
    for (std::size_t a = 0; a < arcs.size(); ++a)
      if (arcs[a]->status == Arc::ACTIVE)
        advanceArc(static_cast<unsigned>(a), key, static_cast<int>(k));

    K.status = Constituent::CHART;
    if (parsedebug)
      std::cout << "* Adding KEY #" << key << " starting at " << K.start << " ending at " << K.end
                << " (sent len " << src_sentence_length << ") to chart" << std::endl;
    if (topNode.count(K.type) && K.start == 0 && K.end == src_sentence_length) {
      if (parsedebug) std::cout << "***** COMPLETE PARSE FOUND! *****" << std::endl;
      topparse = key;
      result = 1;
    }
  }
  if (parsedebug && enginedebug)
    std::cout << "Constituents at end of parse " << constituents.size() << ", Arcs: " << arcs.size()
              << std::endl;
  if (skipsort) sortArcsBySkips();
  return result;
}

bool TransferEngine::predictArc(unsigned group, int key) {
  if (group >= parsegroups.size() || parsegroups[group]->trules.empty() ||
      parsegroups[group]->src_rhs.empty())
    return true;
  const ParseGroup& g = *parsegroups[group];
  const Constituent& K = *constituents[static_cast<std::size_t>(key)];
  const std::string& firstid = rules[g.trules[0]]->ruleid;

  if (usefirstset) {
    bool predicted = false;
    if (K.start == 0) {
      // Without a top category nothing can lead to a complete parse.
      if (!topNode.empty()) {
        const std::string& top = *topNode.begin();
        auto set = curfirst.find(top);
        if (set == curfirst.end()) {
          std::cerr << "Top node " << top << " does not appear in the grammar." << std::endl
                    << "Make sure that topNode is set correctly." << std::endl;
          return false;
        }
        predicted = set->second.count(g.src_lhs) != 0;
      }
    } else {
      for (const auto& a : arcs) {
        if (a->status != Arc::ACTIVE || a->end != K.start) continue;
        const ParseGroup& ag = *parsegroups[a->rule];
        if (a->dot_position >= ag.src_rhs.size()) continue;
        auto set = curfirst.find(ag.src_rhs[a->dot_position]);
        if (set != curfirst.end() && set->second.count(g.src_lhs)) {
          predicted = true;
          break;
        }
      }
    }
    if (!predicted) {
      if (parsedebug)
        std::cout << "Key LHS not predicted for rule " << firstid << " "
                  << " LHS." << std::endl;
      return true;
    }
  }

  for (const auto& a : arcs) {
    if (a->rule == group && a->status == Arc::ACTIVE && a->dot_position == 0 &&
        a->start == K.start && a->end == K.start) {
      if (parsedebug && enginedebug)
        std::cout << "Rejecting new arc " << arcs.size() << " from rule " << firstid
                  << " with rhs[0] of " << g.src_rhs[0] << std::endl;
      if (parsedebug) std::cout << "REJECTED" << std::endl;
      return true;
    }
  }
  auto arc = std::make_unique<Arc>();
  arc->rule = group;
  arc->start = K.start;
  arc->end = K.start;
  arcs.push_back(std::move(arc));
  if (parsedebug) std::cout << "ADDED ARC#" << arcs.size() - 1 << std::endl;
  return true;
}

void TransferEngine::advanceArc(unsigned arc, int key, int position) {
  // Arcs are appended below; the objects stay where they are.
  Arc* const A = arcs[arc].get();
  if (A->status != Arc::ACTIVE || A->rule >= parsegroups.size()) return;
  const ParseGroup& g = *parsegroups[A->rule];
  const unsigned dot = A->dot_position;
  if (dot >= g.src_rhs.size() || g.trules.empty()) return;
  Constituent* const K = constituents[static_cast<std::size_t>(key)].get();
  if (g.src_rhs[dot] != K->type) return;
  if (dot == 0) {
    if (K->start != A->end) return;
  } else {
    const int allowance = dot - 1 < g.skips.size() ? g.skips[dot - 1] : 0;
    if (K->start < A->end) return;
    if (allowance<kAnySkip&& static_cast<long long>(K->start)> static_cast<long long>(A->end) +
        (allowance > 0 ? allowance : 0))
      return;
  }

  const std::string& firstid = rules[g.trules[0]]->ruleid;
  if (parsedebug) std::cout << "  " << firstid << " (arc #" << arc << ")\t:";
  for (unsigned member : g.trules) {
    if (rulewatches.count(rules[member]->ruleid)) {
      stepdebug = true;
      std::cout << std::endl;
      stepDebug();
      break;
    }
  }

  std::deque<unsigned> children = A->indices;
  children.push_back(static_cast<unsigned>(key));

  if (dot + 1 < g.src_rhs.size()) {
    auto next = std::make_unique<Arc>();
    next->rule = A->rule;
    next->start = A->start;
    next->end = K->end;
    next->dot_position = dot + 1;
    next->indices = std::move(children);
    arcs.push_back(std::move(next));
    if (parsedebug) {
      std::cout << " extending to create new active arc " << arcs.size() - 1 << " ~ ";
      for (std::size_t e = 0; e < g.src_rhs.size(); ++e)
        std::cout << (e ? " " : "") << (e == dot + 1 ? "* " : "") << g.src_rhs[e];
      std::cout << std::endl;
    }
    return;
  }

  // The last element: complete the group over A's children and K. Only a
  // constituent the parser built takes further derivations; a lexical one
  // has no arcs to hold them.
  int packInto = -1;
  for (std::size_t c = 0; c < constituents.size(); ++c) {
    const Constituent& other = *constituents[c];
    if (other.start == A->start && other.end == K->end && other.type == g.src_lhs &&
        !other.arcs.empty()) {
      packInto = static_cast<int>(c);
      break;
    }
  }
  if (parsedebug)
    std::cout << " Checking for successful completion of rule: " << firstid << std::endl;

  const int target = packInto >= 0 ? packInto : static_cast<int>(constituents.size());
  const std::string prefix = std::to_string(target) + ":" + std::to_string(A->rule);
  const UKernel::EBlockMain& equations = rules[g.trules[0]]->parseeb;
  std::vector<std::size_t> choice(children.size(), 0);
  std::vector<std::size_t> counts(children.size(), 0);
  for (std::size_t i = 0; i < children.size(); ++i)
    counts[i] = constituents[children[i]]->paths.size();
  bool any = true;
  for (std::size_t n : counts) any = any && n > 0;

  std::string treepath;
  bool built = false;
  while (any && !built) {
    treepath = prefix;
    UKernel::FSRegisters regs(children.size() + 1);
    for (std::size_t i = 0; i < children.size(); ++i) {
      const Constituent& child = *constituents[children[i]];
      const std::string& path = child.paths[choice[i]];
      treepath += " " + path;
      UKernel::FStruc& stored = treefs[path];
      stored.setName(UKernel::Symbol("X" + std::to_string(i + 1)));
      regs[i + 1] = stored;
      if (parsedebug && i + 1 < children.size()) {
        std::cout << " Constituent type '" << child.type << "'" << std::endl;
        if (fsdebug) std::cout << stored << std::endl;
      }
    }
    if (parsedebug) {
      std::cout << " Key type '" << K->type << "'" << std::endl;
      if (fsdebug) std::cout << regs[children.size()] << std::endl;
      if (fsdebug)
        std::cout << " Running parse equations : " << std::endl << equations << std::endl;
    }
    built = equations.run(regs);
    if (parsedebug)
      std::cout << (built ? " Unification SUCCEEDED" : " Unification FAILED") << std::endl;
    if (built) {
      regs[0].setName(UKernel::Symbol("X0"));
      treefs[treepath] = std::move(regs[0]);
      if (enginedebug) std::cout << "Adding fs for treepath: " << treepath << std::endl;
      break;
    }
    // The next combination: the first child's path changes fastest.
    std::size_t i = 0;
    while (i < choice.size() && ++choice[i] == counts[i]) choice[i++] = 0;
    any = i < choice.size();
  }
  if (!built) return;

  const unsigned completed = static_cast<unsigned>(arcs.size());
  if (packInto >= 0) {
    Constituent& c = *constituents[static_cast<std::size_t>(packInto)];
    if (parsedebug)
      std::cout << " Packing into existing constituent of type '" << c.type << "' covering indices "
                << c.start << " to " << c.end << " (#" << packInto << ")" << std::endl;
    c.arcs.push_back(completed);
    c.paths.push_back(treepath);
  } else {
    auto c = std::make_unique<Constituent>();
    c->type = g.src_lhs;
    c->start = A->start;
    c->end = K->end;
    c->length = static_cast<unsigned>(K->end - A->start);
    c->arcs.push_back(completed);
    c->paths.push_back(treepath);
    if (parsedebug)
      std::cout << " Constructing new constituent of type '" << c->type << "' covering indices "
                << c->start << " to " << c->end << " (Const. #" << target << ")" << std::endl;
    constituents.push_back(std::move(c));
    addKey(target, position);
  }

  auto done = std::make_unique<Arc>();
  done->rule = A->rule;
  done->start = A->start;
  done->end = K->end;
  done->dot_position = dot + 1;
  done->status = Arc::COMPLETED;
  done->indices = std::move(children);
  arcs.push_back(std::move(done));
  if (enginedebug && parsedebug) std::cout << " Completed arc " << arc << std::endl;
}

void TransferEngine::sortArcsBySkips() {
  for (auto& a : arcs) {
    a->skipcount = 0;
    for (std::size_t j = 1; j < a->indices.size(); ++j) {
      const int gap = constituents[a->indices[j]]->start - constituents[a->indices[j - 1]]->end;
      if (gap > 0) a->skipcount += static_cast<unsigned>(gap);
    }
  }
  for (auto& c : constituents) {
    std::vector<unsigned>& list = c->arcs;
    if (list.size() < 2) continue;
    for (std::size_t pass = 1; pass < list.size(); ++pass)
      for (std::size_t j = 0; j + pass < list.size(); ++j)
        if (arcs[list[j + 1]]->skipcount < arcs[list[j]]->skipcount)
          std::swap(list[j], list[j + 1]);
  }
}
