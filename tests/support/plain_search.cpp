#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "diagram/bisector.h"
#include "numeric/dist.h"
#include "numeric/hsort.h"
#include "tests/support/plain_search.h"
#include "tools/recording/recording_surface.h"

namespace {

constexpr int listCapacity = 2001;

// The points placed on one pair's bisector, entry n in slot n - 1.
struct CrossingList {
    std::array<float, listCapacity> XS{};
    std::array<float, listCapacity> YS{};
    std::array<float, listCapacity> scratch{};
    std::int16_t count = 0;

    void append(float x, float y)
    {
        XS[count] = x;
        YS[count] = y;
        ++count;
    }
};

// One pair's search in a frame: the sites as they are, or with x and y
// exchanged (a steep pair's bisector is nearly level there). Lines are drawn
// back in the window's own coordinates.
class PairSearch {
public:
    PairSearch(Drawing& drawing, const Sites& sites, CrossingList& list, bool swapped)
        : drawing_(drawing), X_(swapped ? sites.Y.data() : sites.X.data()),
          Y_(swapped ? sites.X.data() : sites.Y.data()), N_(sites.N), list_(list), swapped_(swapped)
    {
    }

    // Draw the edge of sites i and j (slots), if they have one, on a canvas
    // W x H in the window's coordinates.
    void draw(int i, int j, float W, float H)
    {
        xi_ = X_[i];
        yi_ = Y_[i];
        xj_ = X_[j];
        yj_ = Y_[j];
        i_ = i;
        j_ = j;
        const Line line = perpendicularBisector(xi_, yi_, xj_, yj_);
        bis_ = swapped_ ? clip(line, H, W) : clip(line, W, H);
        if (bis_.line.kind == Line::Kind::None)
            return;  // coincident sites share one cell: there is no edge
        dij_ = dist(xi_, yi_, xj_, yj_);

        list_.count = 0;
        list_.append(bis_.x1, bis_.y1);
        if (!collectCrossings())
            return;
        list_.append(bis_.x2, bis_.y2);
        hSort(list_.count, std::span<float>(list_.XS), std::span<float>(list_.YS), std::span<float>(list_.scratch));
        drawPassingStretches();
    }

private:
    // A site at the very place of i or j is the same site: it neither hides,
    // bounds nor rejects anything of the pair.
    bool isPairSite(int k) const
    {
        const float xk = X_[k];
        const float yk = Y_[k];
        return (xk == xi_ && yk == yi_) || (xk == xj_ && yk == yj_);
    }

    // Scan the third sites: record where their bisectors with i cross the
    // pair's bisector. False when one of them hides the whole clipped line.
    bool collectCrossings()
    {
        const float dxj = xj_ - xi_;
        const float dyj = yj_ - yi_;
        for (int k = 0; k < N_; ++k) {
            if (k == i_ || k == j_ || isPairSite(k))
                continue;
            const float xk = X_[k];
            const float yk = Y_[k];
            const Line ik = perpendicularBisector(xi_, yi_, xk, yk);
            const double dik = dist(xi_, yi_, xk, yk);
            const float e = ik.offset(bis_.x1, bis_.y1) * ik.offset(bis_.x2, bis_.y2);
            const float dxk = xk - xi_;
            const float dyk = yk - yi_;
            const bool sameQuadrant = dxk * dxj > 0 && dyk * dyj > 0;
            if (sameQuadrant && dij_ > dik && e > 0)
                return false;
            if ((!sameQuadrant || dij_ < dik || e < 0) && (e < 0 || dij_ > dik)) {
                if (const auto at = crossing(bis_.line, ik))
                    list_.append(at->x, at->y);
            }
        }
        return true;
    }

    // Test the midpoint of every stretch between neighbouring points and draw
    // every stretch whose midpoint no third site is strictly nearer to.
    void drawPassingStretches()
    {
        for (int s = 0; s + 1 < list_.count; ++s) {
            const float mx = (list_.XS[s] + list_.XS[s + 1]) / 2;
            const float my = bis_.line.b + mx * bis_.line.p;
            if (!rejected(mx, my) && finite(list_.XS[s], list_.YS[s], list_.XS[s + 1], list_.YS[s + 1])) {
                if (swapped_)
                    drawing_.line(list_.YS[s], list_.XS[s], list_.YS[s + 1], list_.XS[s + 1]);
                else
                    drawing_.line(list_.XS[s], list_.YS[s], list_.XS[s + 1], list_.YS[s + 1]);
            }
        }
    }

    bool rejected(float mx, float my) const
    {
        const double di = dist(mx, my, xi_, yi_);
        for (int m = 0; m < N_; ++m) {
            if (m == i_ || m == j_ || isPairSite(m))
                continue;
            if (dist(mx, my, X_[m], Y_[m]) < di)
                return true;
        }
        return false;
    }

    Drawing& drawing_;
    const float* X_;
    const float* Y_;
    int N_;
    CrossingList& list_;
    bool swapped_;
    int i_ = 0, j_ = 0;
    float xi_ = 0, yi_ = 0, xj_ = 0, yj_ = 0;
    Bisector bis_;
    double dij_ = 0;
};

}  // namespace

bool drawEdgesReference(Host& host, Drawing& drawing, Sites& sites)
{
    hSort(sites.N, std::span<double>(sites.D), std::span<float>(sites.X), std::span<float>(sites.Y));
    CrossingList list;
    PairSearch level(drawing, sites, list, false);
    PairSearch swapped(drawing, sites, list, true);
    for (int i = 0; i < sites.N - 1; ++i) {
        for (int j = i + 1; j < sites.N; ++j) {
            if (!host.pump())
                return false;
            const float W = host.outerWidth() / twipsPerPixel;
            const float H = host.outerHeight() / twipsPerPixel;
            const Line pair = perpendicularBisector(sites.X[i], sites.Y[i], sites.X[j], sites.Y[j]);
            (pair.kind == Line::Kind::Steep ? swapped : level).draw(i, j, W, H);
        }
    }
    return true;
}

std::string firstDifference(const Sites& sites, float W, float H)
{
    RecordingSurface fast(W, H), plain(W, H);
    Sites a = sites, b = sites;
    drawEdges(fast, a);
    drawEdgesReference(plain, plain, b);
    const auto& f = fast.ops();
    const auto& p = plain.ops();
    const auto at = [](std::size_t k, const RecordingSurface::Op& o) {
        return "operation " + std::to_string(k) + ": " + std::to_string(o.x1) + "," + std::to_string(o.y1) + " " +
               std::to_string(o.x2) + "," + std::to_string(o.y2);
    };
    for (std::size_t k = 0; k < std::min(f.size(), p.size()); ++k) {
        if (f[k].kind != p[k].kind)
            return "operation " + std::to_string(k) + " of another kind";
        if (!(std::isfinite(f[k].x1) && std::isfinite(f[k].y1) && std::isfinite(f[k].x2) && std::isfinite(f[k].y2)))
            return at(k, f[k]) + " not finite";
        // (The four coordinates to the last bit: -0 is not +0.)
        const auto bits = [](const RecordingSurface::Op& o) {
            std::array<std::uint32_t, 4> b{};
            const std::array<float, 4> v{o.x1, o.y1, o.x2, o.y2};
            std::memcpy(b.data(), v.data(), sizeof b);
            return b;
        };
        if (bits(f[k]) != bits(p[k]))
            return at(k, f[k]) + ", the plain search's " + at(k, p[k]);
    }
    if (f.size() != p.size())
        return std::to_string(f.size()) + " operations, the plain search's " + std::to_string(p.size());
    return {};
}
