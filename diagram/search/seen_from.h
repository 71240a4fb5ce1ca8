#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "diagram/bisector.h"
#include "diagram/search/cell.h"

// Every site k seen from one site i, in one frame: the window's, or the one
// with x and y exchanged. One array per value, so that the passes over all k
// run through them in step.
struct SeenFrom {
    // The bisector of i and k as a Line, and read as A y - (c + q x): A = 1
    // for y = q x + c, and A = -p', q = -1, c = b' for the steep x = p' y + b',
    // which gives its offset -p' y - (b' - x) with the same rounding. Where
    // the pair's line y = p x + b crosses it, x = (c - A b) / (den + A p):
    // den is -q for the sloped ones and 1 for the steep ones (see crossingsWith).
    std::vector<Line> line;
    std::vector<float> A, q, c, den;
    std::vector<double> d;           // dist(i, k)
    std::vector<float> dx, dy;       // k - i, single precision
    std::vector<double> ux, uy, uu;  // k - i exactly, and its square length
    double reach = 0;                // the farthest site from i

    // The sites whose bisectors bound i's cell: the only ones that can bound
    // i's part of any line.
    std::vector<int> neighbours;
    // The sites within twice the cell's reach from i (its farthest corner):
    // a point of the cell, or near it, can be nearer to no other site.
    std::vector<int> close;
    double closeReach = 0;

    explicit SeenFrom(std::size_t n);

    // Site i of the sites (X, Y), as the window has them.
    void see(std::span<const float> X, std::span<const float> Y, int i, CellOfI& cell);
    // What `level` saw, with x and y exchanged: the bisectors worked out anew
    // from the exchanged sites, the rest mirrored (distances and the cell's
    // sites do not change).
    void mirror(const SeenFrom& level, std::span<const float> X, std::span<const float> Y, int i);

private:
    void setLine(int k, const Line& l);
};

// What site i sees of every site, as the window has them and with x and y
// exchanged (worked out only when one of i's pairs is steep).
struct Views {
    explicit Views(std::size_t n) : level(n), exchanged(n) {}
    SeenFrom level, exchanged;
    int exchangedFor = -1;  // the i that exchanged was worked out for
    CellOfI cell;
};

// Which sites count as the pair's own: a site at the very place of i or j is
// the same site, and neither hides, bounds nor rejects anything of the pair.
class SameSites {
public:
    SameSites(std::span<const float> X, std::span<const float> Y);
    bool ofPair(int k, int i, int j) const
    {
        if (k == i || k == j)
            return true;
        return duplicates_ && (first_[k] == first_[i] || first_[k] == first_[j]);
    }

private:
    std::vector<int> first_;  // the lowest-numbered site at k's very place
    bool duplicates_ = false;
};
