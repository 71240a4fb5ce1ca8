#pragma once

#include <istream>
#include <string>

#include "diagram/run.h"

// Reads sites for the trace tool: one site a line as two finite numbers;
// blank lines and lines starting with '#' are passed over. On a bad line, or
// fewer than 1 or more than 99 sites, returns false with one line in error
// naming the problem (and the line number where there is one).
bool readSites(std::istream& in, Sites& sites, std::string& error);
