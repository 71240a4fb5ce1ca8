#pragma once

#include <string>

#include "diagram/run.h"

// The edge search written the plain way: every third site scanned in index
// order for every pair, every site tried against every stretch; a steep pair
// worked out with x and y exchanged. The program's own search must draw
// exactly what this one draws, operation for operation and bit for bit.
bool drawEdgesReference(Host& host, Drawing& drawing, Sites& sites);

// The program's search against the plain one on the same sites and canvas:
// empty when they draw the same operations in the same order, every line
// finite and the same to the last bit; else where they first part.
std::string firstDifference(const Sites& sites, float W, float H);
