// transfer/LatticeArc.h
#pragma once

// One arc of a lattice held in memory: in a beam of `rangeBeams` or in the
// decoder's `LatticeArcs`, whichever holds it owns it.
struct LatticeArc {};
