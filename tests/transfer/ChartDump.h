// tests/transfer/ChartDump.h
#pragma once

#include <sstream>
#include <string>

#include "kernel/fStruc.h"
#include "transfer/transfer.h"

// The chart as short lines, one per constituent then one per arc. Groups are
// named by the ID of their first rule, so that expectations do not depend on
// the order in which lexical entries were loaded.
//   #3 NP 0-3 paths: 3:3 0 1 2 arcs: 8
//   #0 DET 0-1 'the' [DET,1] paths: 0
//   arc5 NP,3 0-2 dot 2 ACTIVE [0 1]
inline std::string GroupName(const TransferEngine& e, unsigned g) {
  return g < e.parsegroups.size() && !e.parsegroups[g]->trules.empty()
             ? e.rules[e.parsegroups[g]->trules[0]]->ruleid
             : "?";
}

inline std::string DumpConstituents(const TransferEngine& e) {
  std::ostringstream os;
  for (std::size_t n = 0; n < e.constituents.size(); ++n) {
    const Constituent& c = *e.constituents[n];
    os << "#" << n << " " << c.type << " " << c.start << "-" << c.end;
    if (!c.word.empty()) os << " '" << c.word << "'";
    if (c.arcs.empty() && c.type.compare(0, 4, "LIT-") != 0)
      os << " [" << GroupName(e, c.lexrule) << "]";
    os << " paths:";
    for (std::size_t p = 0; p < c.paths.size(); ++p) os << (p ? " | " : " ") << c.paths[p];
    if (!c.arcs.empty()) {
      os << " arcs:";
      for (unsigned a : c.arcs) os << " " << a;
    }
    os << "\n";
  }
  return os.str();
}

inline std::string DumpArcs(const TransferEngine& e) {
  std::ostringstream os;
  for (std::size_t n = 0; n < e.arcs.size(); ++n) {
    const Arc& a = *e.arcs[n];
    os << "arc" << n << " " << GroupName(e, a.rule) << " " << a.start << "-" << a.end << " dot "
       << a.dot_position << (a.status == Arc::ACTIVE ? " ACTIVE [" : " COMPLETED [");
    for (std::size_t i = 0; i < a.indices.size(); ++i) os << (i ? " " : "") << a.indices[i];
    os << "]\n";
  }
  return os.str();
}

inline std::string DumpAgenda(const TransferEngine& e) {
  std::string out;
  for (int c : e.agenda) out += (out.empty() ? "" : " ") + std::to_string(c);
  return out;
}

// A stored structure in the kernel's one-line form; "(none)" when missing.
inline std::string TreeFS(const TransferEngine& e, const std::string& path) {
  auto it = e.treefs.find(path);
  if (it == e.treefs.end()) return "(none)";
  const bool saved = UKernel::FStruc::indentPrint;
  UKernel::FStruc::indentPrint = false;
  std::ostringstream os;
  os << it->second;
  UKernel::FStruc::indentPrint = saved;
  return os.str();
}
