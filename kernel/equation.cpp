// kernel/equation.cpp
#include "kernel/equation.h"

#include <cassert>
#include <ostream>

#include "kernel/fStruc.h"
#include "kernel/fsRegs.h"

namespace UKernel {

std::ostream& operator<<(std::ostream& os, const FSPath& p) {
  if (p.path.empty()) return os << 'X' << p.fsIdx;
  return os << "(X" << p.fsIdx << ' ' << p.path << ')';
}

std::ostream& operator<<(std::ostream& os, const _Equation& e) {
  e.print(os);
  return os;
}

namespace {

bool inRange(const FSRegisters& regs, unsigned idx) { return idx < regs.size(); }

// The operations without filtering only read the left structure. They are
// reached through a read-only reference, so that a working copy of the
// registers is not made for them; casting the constness away is safe because
// they never change it.
FStruc& readOnlyLeft(const FSRegisters& regs, unsigned idx) {
  return const_cast<FStruc&>(regs[idx]);
}

}  // namespace

// ---- path to path ----

_EquType1::_EquType1(const FSPath& l, const FSPath& r, SymCode c)
    : _Equation(l), rFSPath(r), code(c) {
  assert(isValidCode(c) && "operator code not valid between two paths");
}

bool _EquType1::isValidCode(SymCode c) {
  switch (c) {
    case OP_PSEUDO_UNIFY:
    case OP_CONSTRAIN:
    case OP_CONSTRAIN_NOFILTER:
    case OP_TEST:
    case OP_TEST_NOFILTER:
    case OP_ISO:
    case OP_ISO_NOFILTER:
    case OP_ASSIGN:
    case OP_REMOVE_ASSIGN:
    case OP_PUSH:
    case OP_POP:
      return true;
    default:
      return false;
  }
}

bool _EquType1::run(FSRegisters& regs) const {
  const unsigned l = lFSPath.fsIdx, r = rFSPath.fsIdx;
  if (!inRange(regs, l) || !inRange(regs, r)) return false;
  const Path& lp = lFSPath.path;
  const Path& rp = rFSPath.path;
  const FSRegisters& cregs = regs;
  switch (code) {
    case OP_CONSTRAIN_NOFILTER:
      return readOnlyLeft(cregs, l).constrainNoFilter(lp, cregs[r], rp);
    case OP_TEST_NOFILTER:
      return readOnlyLeft(cregs, l).testNoFilter(lp, cregs[r], rp);
    case OP_ISO_NOFILTER:
      return readOnlyLeft(cregs, l).isomorphismNoFilter(lp, cregs[r], rp);
    default:
      break;
  }
  // The left register is made writable first: when both sides name one
  // register, the right side then reads the same (writable) structure.
  FStruc& left = regs[l];
  switch (code) {
    case OP_PSEUDO_UNIFY:
      return left.pseudoUnify(lp, cregs[r], rp, false);
    case OP_CONSTRAIN:
      return left.constrain(lp, cregs[r], rp);
    case OP_TEST:
      return left.test(lp, cregs[r], rp);
    case OP_ISO:
      return left.isomorphism(lp, cregs[r], rp);
    case OP_ASSIGN:
      return left.assign(lp, cregs[r], rp);
    case OP_PUSH:
      return left.push(lp, cregs[r], rp);
    case OP_REMOVE_ASSIGN: {
      if (!left.pseudoUnify(lp, cregs[r], rp, true)) return false;
      regs[r].remove(rp);
      return true;
    }
    case OP_POP:
      return left.pop(lp, regs[r], rp);
    default:
      return false;
  }
}

void _EquType1::print(std::ostream& os) const {
  os << lFSPath << ' ' << Symbol(code) << ' ' << rFSPath;
}

// ---- path to value ----

_EquType2::_EquType2(const FSPath& l, const Value& v, SymCode c) : _Equation(l), value(v), code(c) {
  assert(isValidCode(c) && "operator code not valid between a path and a value");
}

bool _EquType2::isValidCode(SymCode c) {
  switch (c) {
    case OP_PSEUDO_UNIFY:
    case OP_CONSTRAIN:
    case OP_CONSTRAIN_NOFILTER:
    case OP_TEST:
    case OP_TEST_NOFILTER:
    case OP_ISO:
    case OP_ISO_NOFILTER:
    case OP_ASSIGN:
      return true;
    default:
      return false;
  }
}

bool _EquType2::run(FSRegisters& regs) const {
  const unsigned l = lFSPath.fsIdx;
  if (!inRange(regs, l)) return false;
  const Path& lp = lFSPath.path;
  const FSRegisters& cregs = regs;
  switch (code) {
    case OP_PSEUDO_UNIFY:
      return regs[l].pseudoUnify(lp, value);
    case OP_CONSTRAIN:
      return regs[l].constrain(lp, value);
    case OP_CONSTRAIN_NOFILTER:
      return cregs[l].constrainNoFilter(lp, value);
    case OP_TEST:
      return regs[l].test(lp, value);
    case OP_TEST_NOFILTER:
      return cregs[l].testNoFilter(lp, value);
    case OP_ISO:
      return regs[l].isomorphism(lp, value);
    case OP_ISO_NOFILTER:
      return cregs[l].isomorphismNoFilter(lp, value);
    case OP_ASSIGN:
      return regs[l].assign(lp, value);
    default:
      return false;
  }
}

void _EquType2::print(std::ostream& os) const {
  os << lFSPath << ' ' << Symbol(code) << ' ' << value;
}

// ---- path with code ----

_EquType3::_EquType3(const FSPath& l, SymCode c) : _Equation(l), code(c) {
  assert(isValidCode(c) && "code not valid for a path alone");
}

bool _EquType3::isValidCode(SymCode c) {
  switch (c) {
    case NUMBER:
    case INTEGER:
    case POSITIVE:
    case DEFINED:
    case UNDEFINED:
    case REMOVE:
      return true;
    default:
      return false;
  }
}

bool _EquType3::run(FSRegisters& regs) const {
  const unsigned l = lFSPath.fsIdx;
  if (!inRange(regs, l)) return false;
  const Path& lp = lFSPath.path;
  switch (code) {
    case NUMBER:
      return regs[l].isNumber(lp);
    case INTEGER:
      return regs[l].isInteger(lp);
    case POSITIVE:
      return regs[l].isPositive(lp);
    case DEFINED:
      return regs[l].isDefined(lp);
    case UNDEFINED:
      return regs[l].isUndefined(lp);
    case REMOVE:
      return regs[l].remove(lp);
    default:
      return false;
  }
}

void _EquType3::print(std::ostream& os) const { os << lFSPath << " = " << Symbol(code); }

}  // namespace UKernel
