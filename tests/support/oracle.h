#pragma once

#include <string>
#include <vector>

#include "diagram/run.h"
#include "tools/recording/recording_surface.h"

// An independent, exact nearest-site diagram to hold drawn edges against: the
// dual of a Delaunay triangulation built with exact predicates and exact
// constructions, clipped to the canvas.

struct Segment {
    double x1, y1, x2, y2;
};

std::vector<Segment> exactDiagram(const Sites& sites, double W, double H);

// The segments a run drew after its first pump (the edges), clipped to the
// canvas; pieces wholly off the canvas or only touching it, and lines to
// their own start (which paint nothing), are dropped.
std::vector<Segment> drawnEdges(const RecordingSurface& s, double W, double H);

struct Comparison {
    int stray = 0;      // sample points of drawn edges farther than tol from every true edge
    int uncovered = 0;  // sample points of true edges farther than tol from every drawn edge
    double worstStray = 0;
    double worstUncovered = 0;
    bool ok() const { return stray == 0 && uncovered == 0; }
};

// Every drawn segment must lie on a true edge and every true edge must be
// covered, both within tol pixels.
Comparison compareDiagrams(const std::vector<Segment>& drawn, const std::vector<Segment>& truth, double W, double H,
                           double tol = 1.0);

// Draws the diagram of the sites on a W x H canvas and holds it against the
// exact one.
Comparison drawnAgainstExact(Sites sites, float W, float H);

// What a comparison found, in a line: "3 stray points (worst 1.5 px), ...".
std::string described(const Comparison& c);
