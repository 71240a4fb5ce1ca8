#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "diagram/bisector.h"
#include "diagram/run.h"
#include "numeric/dist.h"
#include "numeric/hsort.h"

// For each pair (i, j): the pair's bisector, clipped to the canvas; the points
// where the bisectors of i with the third sites k cross it; then every stretch
// between neighbouring points whose midpoint no third site is strictly nearer
// to is a piece of the edge, and is drawn.
//
// The search is arranged for speed, but what it draws is exactly what a plain
// scan in index order draws, to the last bit:
// - the bisectors and distances of site i with every site are worked out once
//   per i, with the same operations as per pair;
// - whether a pair is hidden does not depend on which site hides it, and
//   whether a stretch is rejected does not depend on which site rejects it,
//   so the likeliest sites are tried first;
// - the heap sort only decides the order of equal keys, so a list without
//   equal keys may be sorted any way.

namespace {

constexpr int listCapacity = 2001;
constexpr int none = -1;

// The points placed on one pair's bisector, entry n in slot n - 1, each with
// the third site whose bisector put it there (none for the two ends).
struct CrossingList {
    std::array<float, listCapacity> XS{};
    std::array<float, listCapacity> YS{};
    std::array<std::int16_t, listCapacity> by{};
    std::int16_t count = 0;

    void append(float x, float y, int k)
    {
        XS[count] = x;
        YS[count] = y;
        by[count] = static_cast<std::int16_t>(k);
        ++count;
    }
};

bool finite(float x1, float y1, float x2, float y2)
{
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

// Every site seen from site i, one array per value so the scan runs through
// them in step: the bisector of i and k (y = q x + c, or x = vx when
// vertical), their distance, and k's offset from i.
struct SeenFrom {
    std::vector<float> q, c, vx, dx, dy;
    std::vector<std::uint8_t> vertical, noLine;
    std::vector<double> d;

    explicit SeenFrom(std::size_t n) : q(n), c(n), vx(n), dx(n), dy(n), vertical(n), noLine(n), d(n) {}

    Line line(int k) const
    {
        if (noLine[k])
            return {};
        return vertical[k] ? Line::vertical(vx[k]) : Line::sloped(q[k], c[k]);
    }
};

class EdgeSearch {
public:
    EdgeSearch(Surface& s, const Sites& sites)
        : s_(s), X_(sites.X.data()), Y_(sites.Y.data()), N_(sites.N), from_(static_cast<std::size_t>(N_)),
          first_(static_cast<std::size_t>(N_)),
          hides_(static_cast<std::size_t>(N_)), records_(static_cast<std::size_t>(N_)),
          lastHider_(static_cast<std::size_t>(N_), none)
    {
        // first_[k]: the lowest-numbered site at k's very place.
        for (int k = 0; k < N_; ++k) {
            first_[k] = k;
            for (int m = 0; m < k; ++m) {
                if (X_[m] == X_[k] && Y_[m] == Y_[k]) {
                    first_[k] = m;
                    duplicates_ = true;
                    break;
                }
            }
        }
    }

    bool run()
    {
        for (int i = 0; i < N_ - 1; ++i) {
            seenFrom(i);
            for (int j = i + 1; j < N_; ++j) {
                if (!s_.pump())
                    return false;
                drawPair(j);
            }
        }
        return true;
    }

private:
    void seenFrom(int i)
    {
        i_ = i;
        xi_ = X_[i];
        yi_ = Y_[i];
        for (int k = 0; k < N_; ++k) {
            const Line l = perpendicularBisector(xi_, yi_, X_[k], Y_[k]);
            from_.noLine[k] = l.kind == Line::Kind::None;
            from_.vertical[k] = l.kind == Line::Kind::Vertical;
            from_.q[k] = l.p;
            from_.c[k] = l.b;
            from_.vx[k] = l.x;
            from_.d[k] = dist(xi_, yi_, X_[k], Y_[k]);
            from_.dx[k] = X_[k] - xi_;
            from_.dy[k] = Y_[k] - yi_;
        }
    }

    // A site at the very place of i or j is the same site: it neither hides,
    // bounds nor rejects anything of the pair.
    bool skipped(int k) const
    {
        if (k == i_ || k == j_)
            return true;
        return duplicates_ && (first_[k] == first_[i_] || first_[k] == first_[j_]);
    }

    // How the bisector of i and k lies against the pair's two ends: negative
    // when it passes strictly between them.
    float sides(int k) const
    {
        const float o1 = from_.vertical[k] ? bis_.x1 - from_.vx[k] : bis_.y1 - (from_.c[k] + from_.q[k] * bis_.x1);
        const float o2 = from_.vertical[k] ? bis_.x2 - from_.vx[k] : bis_.y2 - (from_.c[k] + from_.q[k] * bis_.x2);
        return o1 * o2;
    }

    bool hides(int k) const
    {
        const bool sameQuadrant = from_.dx[k] * dxj_ > 0 && from_.dy[k] * dyj_ > 0;
        return sameQuadrant && dij_ > from_.d[k] && sides(k) > 0;
    }

    void drawPair(int j)
    {
        j_ = j;
        const Line pair = from_.line(j);
        if (pair.kind == Line::Kind::None)
            return;  // coincident sites share one cell: there is no edge
        const float W = s_.outerWidth() / twipsPerPixel;
        const float H = s_.outerHeight() / twipsPerPixel;
        bis_ = clip(pair, W, H);
        dij_ = from_.d[j];
        dxj_ = from_.dx[j];
        dyj_ = from_.dy[j];

        int& hider = lastHider_[i_];
        if (hider != none && !skipped(hider) && hides(hider))
            return;
        if (!collectCrossings(hider))
            return;
        sortAlongLine();
        drawPassingStretches();
    }

    // The crossing list: the first end, the points where the bisectors of i
    // with the third sites cross the pair's bisector, the second end. False,
    // with the hiding site noted, when a third site hides the whole clipped
    // line.
    bool collectCrossings(int& hider)
    {
        // First, for every k at once, which way its bisector lies and what the
        // hiding and crossing rules say; then the list, in the order of k.
        const float x1 = bis_.x1, y1 = bis_.y1, x2 = bis_.x2, y2 = bis_.y2;
        const float dxj = dxj_, dyj = dyj_;
        const double dij = dij_;
        const int n = N_;
        const float* q = from_.q.data();
        const float* c = from_.c.data();
        const float* vx = from_.vx.data();
        const float* dx = from_.dx.data();
        const float* dy = from_.dy.data();
        const double* d = from_.d.data();
        const std::uint8_t* vertical = from_.vertical.data();
        std::uint8_t* hides = hides_.data();
        std::uint8_t* records = records_.data();
        bool anyHides = false;
        for (int k = 0; k < n; ++k) {
            const float o1 = vertical[k] ? x1 - vx[k] : y1 - (c[k] + q[k] * x1);
            const float o2 = vertical[k] ? x2 - vx[k] : y2 - (c[k] + q[k] * x2);
            const float e = o1 * o2;
            const bool sameQuadrant = (dx[k] * dxj > 0) & (dy[k] * dyj > 0);
            const bool hide = sameQuadrant & (dij > d[k]) & (e > 0);
            hides[k] = hide;
            records[k] = (!sameQuadrant | (dij < d[k]) | (e < 0)) & ((e < 0) | (dij > d[k]));
            anyHides |= hide;
        }
        if (anyHides) {
            for (int k = 0; k < n; ++k) {
                if (hides[k] && !skipped(k)) {
                    hider = k;
                    return false;
                }
            }
        }
        list_.count = 0;
        list_.append(x1, y1, none);
        for (int k = 0; k < n; ++k) {
            if (!records[k] || skipped(k))
                continue;
            float x = 0;
            float y = 0;
            if (crossing(bis_.line, from_.line(k), x, y))
                list_.append(x, y, k);
        }
        list_.append(x2, y2, none);
        return true;
    }

    // Order the points along the line: by x, or by y on a vertical line.
    void sortAlongLine()
    {
        const bool byY = bis_.line.kind == Line::Kind::Vertical;
        std::span<float> keys(byY ? list_.YS : list_.XS);
        std::span<float> other(byY ? list_.XS : list_.YS);
        std::span<std::int16_t> by(list_.by);
        if (sortWithoutTies(keys, other, by))
            return;
        hSort(list_.count, keys, other, by);
    }

    // Insertion sort; when it meets two equal keys it puts the list back as
    // it was and leaves the order to the heap sort's tie rules.
    bool sortWithoutTies(std::span<float> keys, std::span<float> other, std::span<std::int16_t> by)
    {
        const int n = list_.count;
        std::copy_n(keys.begin(), n, savedKeys_.begin());
        std::copy_n(other.begin(), n, savedOther_.begin());
        std::copy_n(by.begin(), n, savedBy_.begin());
        for (int a = 1; a < n; ++a) {
            const float key = keys[a];
            const float o = other[a];
            const std::int16_t b = by[a];
            int k = a - 1;
            while (k >= 0 && keys[k] > key) {
                keys[k + 1] = keys[k];
                other[k + 1] = other[k];
                by[k + 1] = by[k];
                --k;
            }
            if (k >= 0 && keys[k] == key) {
                std::copy_n(savedKeys_.begin(), n, keys.begin());
                std::copy_n(savedOther_.begin(), n, other.begin());
                std::copy_n(savedBy_.begin(), n, by.begin());
                return false;
            }
            keys[k + 1] = key;
            other[k + 1] = o;
            by[k + 1] = b;
        }
        return true;
    }

    void drawPassingStretches()
    {
        for (int s = 0; s + 1 < list_.count; ++s) {
            float mx = 0;
            float my = 0;
            if (bis_.line.kind == Line::Kind::Vertical) {
                mx = bis_.line.x;
                my = (list_.YS[s] + list_.YS[s + 1]) / 2;
            } else {
                mx = (list_.XS[s] + list_.XS[s + 1]) / 2;
                my = bis_.line.b + mx * bis_.line.p;
            }
            if (!rejected(mx, my, list_.by[s], list_.by[s + 1]) &&
                finite(list_.XS[s], list_.YS[s], list_.XS[s + 1], list_.YS[s + 1]))
                s_.line(list_.XS[s], list_.YS[s], list_.XS[s + 1], list_.YS[s + 1]);
        }
    }

    // Is site m strictly nearer to (mx, my) than site i is? The squares,
    // rounded as dist rounds them, settle every m that is not nearer; only a
    // smaller square needs the roots, which may still tie.
    bool nearer(int m, float mx, float my, double di2, double di) const
    {
        return dist2(mx, my, X_[m], Y_[m]) < di2 && dist(mx, my, X_[m], Y_[m]) < di;
    }

    // A stretch is rejected when some third site is strictly nearer to its
    // midpoint than site i. The sites whose bisectors bound the stretch, and
    // the site that rejected last, are the likeliest: they go first.
    bool rejected(float mx, float my, int left, int right)
    {
        const double di2 = dist2(mx, my, xi_, yi_);
        const double di = std::sqrt(di2);
        const int likely[3] = {left, right, lastRejecter_};
        for (int m : likely) {
            if (m != none && m < N_ && !skipped(m) && nearer(m, mx, my, di2, di)) {
                lastRejecter_ = m;
                return true;
            }
        }
        for (int m = 0; m < N_; ++m) {
            if (!skipped(m) && nearer(m, mx, my, di2, di)) {
                lastRejecter_ = m;
                return true;
            }
        }
        return false;
    }

    Surface& s_;
    const float* X_;
    const float* Y_;
    const int N_;
    SeenFrom from_;
    std::vector<int> first_;
    bool duplicates_ = false;
    std::vector<std::uint8_t> hides_, records_;
    std::vector<int> lastHider_;  // per i, the site that last hid one of its pairs
    int lastRejecter_ = none;
    CrossingList list_;
    std::array<float, listCapacity> savedKeys_{}, savedOther_{};
    std::array<std::int16_t, listCapacity> savedBy_{};

    int i_ = 0, j_ = 0;
    float xi_ = 0, yi_ = 0;
    Bisector bis_;
    double dij_ = 0;
    float dxj_ = 0, dyj_ = 0;
};

}  // namespace

bool drawEdges(Surface& s, Sites& sites)
{
    hSort(sites.N, std::span<double>(sites.D), std::span<float>(sites.X), std::span<float>(sites.Y));
    EdgeSearch search(s, sites);
    return search.run();
}
