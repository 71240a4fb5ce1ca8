#pragma once

#include "diagram/run.h"

// The edge search written the plain way: every third site scanned in index
// order for every pair, every site tried against every stretch; a steep pair
// worked out with x and y exchanged. The program's own search must draw
// exactly what this one draws, operation for operation and bit for bit.
bool drawEdgesReference(Surface& s, Sites& sites);
