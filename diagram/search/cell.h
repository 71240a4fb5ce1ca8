#pragma once

#include <span>
#include <vector>

// The nearest-site cell of one site, cut out of a very large square by one
// half-plane after another, in double. The site sits at the origin and the
// others at offsets (ux[k], uy[k]) with square lengths uu[k]; the cell is the
// set of points P with 2 P.u - |u|^2 <= 0 for every k.
class CellOfI {
public:
    // Cuts the cell and returns the distance of its farthest corner from
    // the site. Sites at the origin itself are passed over.
    double build(std::span<const double> ux, std::span<const double> uy, std::span<const double> uu);
    // The sites whose bisectors bound the cell built last.
    const std::vector<int>& neighbours() const { return neighbours_; }

private:
    struct Corner {
        double x, y;
        int edge;  // the site whose bisector runs from this corner to the next
    };

    bool cut(double ux, double uy, double uu, int k);

    std::vector<Corner> poly_, next_;
    std::vector<int> order_;
    std::vector<int> neighbours_;
};
