#pragma once

// The platforms' placements, for the choice of one (which CMake makes per
// operating system). Each gives its placement when the program runs on its
// platform, and nothing otherwise; the plain one always gives one.

#include <memory>

#include "app/placement/placement.h"

class QWidget;

std::unique_ptr<Placement> x11Placement(QWidget& window);
std::unique_ptr<Placement> waylandPlacement(QWidget& window);
std::unique_ptr<Placement> windowsPlacement(QWidget& window);
std::unique_ptr<Placement> plainPlacement(QWidget& window);
