#include "diagram/search/seen_from.h"

#include <algorithm>
#include <cmath>

#include "diagram/search/margins.h"
#include "numeric/dist.h"

SeenFrom::SeenFrom(std::size_t n) : line(n), A(n), q(n), c(n), den(n), d(n), dx(n), dy(n), ux(n), uy(n), uu(n) {}

void SeenFrom::setLine(int k, const Line& l)
{
    line[k] = l;
    const bool sloped = l.kind == Line::Kind::Sloped;
    A[k] = sloped ? 1.f : -l.p;
    q[k] = sloped ? l.p : -1.f;
    c[k] = l.b;  // a site at i's place reads as x = 0; it is skipped
    den[k] = sloped ? -l.p : 1.f;
}

void SeenFrom::see(std::span<const float> X, std::span<const float> Y, int i, CellOfI& cell)
{
    const int N = static_cast<int>(X.size());
    const float xi = X[i], yi = Y[i];
    reach = 0;
    for (int k = 0; k < N; ++k) {
        setLine(k, perpendicularBisector(xi, yi, X[k], Y[k]));
        d[k] = dist(xi, yi, X[k], Y[k]);
        dx[k] = X[k] - xi;
        dy[k] = Y[k] - yi;
        ux[k] = double{X[k]} - xi;
        uy[k] = double{Y[k]} - yi;
        uu[k] = ux[k] * ux[k] + uy[k] * uy[k];
        reach = std::max(reach, std::sqrt(uu[k]));
    }
    const auto n = static_cast<std::size_t>(N);
    closeReach = 2 * cell.build(std::span(ux).first(n), std::span(uy).first(n), std::span(uu).first(n)) *
                 margin::closeReachGrowth;
    neighbours = cell.neighbours();
    close.clear();
    for (int k = 0; k < N; ++k) {
        if (uu[k] <= closeReach * closeReach)
            close.push_back(k);
    }
}

void SeenFrom::mirror(const SeenFrom& level, std::span<const float> X, std::span<const float> Y, int i)
{
    for (int k = 0; k < static_cast<int>(X.size()); ++k) {
        setLine(k, perpendicularBisector(Y[i], X[i], Y[k], X[k]));
        d[k] = level.d[k];
        dx[k] = level.dy[k];
        dy[k] = level.dx[k];
        ux[k] = level.uy[k];
        uy[k] = level.ux[k];
        uu[k] = level.uu[k];
    }
    reach = level.reach;
    neighbours = level.neighbours;
    close = level.close;
    closeReach = level.closeReach;
}

SameSites::SameSites(std::span<const float> X, std::span<const float> Y) : first_(X.size())
{
    for (int k = 0; k < static_cast<int>(X.size()); ++k) {
        first_[k] = k;
        for (int m = 0; m < k; ++m) {
            if (X[m] == X[k] && Y[m] == Y[k]) {
                first_[k] = m;
                duplicates_ = true;
                break;
            }
        }
    }
}
