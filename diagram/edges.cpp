#include <algorithm>
#include <array>
#include <bit>
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
// - the rules are applied to every third site in one branch-free pass;
// - whether a pair is hidden does not depend on which site hides it, and
//   whether a stretch is rejected does not depend on which site rejects it,
//   so the likeliest sites are tried first;
// - a pair whose every possible stretch is certainly rejected (see
//   certainlyEmpty) is not searched at all: it would draw nothing;
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

// Every site k seen from site i, one array per value so that the passes below
// run through them in step.
struct SeenFrom {
    // The bisector of i and k as a Line, and read as A y - (c + q x): A = 1
    // for y = q x + c, and A = 0, q = -1, c = x0 for the vertical x = x0,
    // which gives x - x0 with the same rounding.
    std::vector<Line> line;
    std::vector<float> A, q, c;
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

    explicit SeenFrom(std::size_t n) : line(n), A(n), q(n), c(n), d(n), dx(n), dy(n), ux(n), uy(n), uu(n) {}
};

// The cell of the site at the origin among sites at offsets u[k]: the points
// P with 2 P.u - |u|^2 <= 0 for every k, cut out of a very large square by
// one half-plane after another. Notes which sites bound it.
class CellOfI {
public:
    // Returns the distance of the cell's farthest corner from i.
    double build(const SeenFrom& f, int n, std::vector<int>& neighbours)
    {
        // The nearest few sites first, which leave a small cell at once; then
        // the rest, of which a site at twice the cell's farthest corner or
        // farther cannot cut it.
        order_.resize(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k)
            order_[k] = k;
        const auto nearest = order_.begin() + std::min(n, 12);
        std::nth_element(order_.begin(), nearest, order_.end(), [&f](int a, int b) { return f.uu[a] < f.uu[b]; });
        constexpr double far = 1e9;
        poly_ = {{-far, -far, none}, {far, -far, none}, {far, far, none}, {-far, far, none}};
        double corner2 = 2 * far * far;  // the farthest corner's square distance
        for (int k : order_) {
            if (f.uu[k] == 0 || f.uu[k] > 4 * corner2 * 1.0001)
                continue;
            if (cut(f.ux[k], f.uy[k], f.uu[k], k)) {
                corner2 = 0;
                for (const Corner& v : poly_)
                    corner2 = std::max(corner2, v.x * v.x + v.y * v.y);
            }
        }
        neighbours.clear();
        for (const Corner& v : poly_) {
            if (v.edge != none && std::find(neighbours.begin(), neighbours.end(), v.edge) == neighbours.end())
                neighbours.push_back(v.edge);
        }
        return std::sqrt(corner2);
    }

private:
    struct Corner {
        double x, y;
        int edge;  // the site whose bisector runs from this corner to the next
    };

    // Cuts the cell down to 2 P.u - |u|^2 <= 0; false when that takes nothing.
    bool cut(double ux, double uy, double uu, int k)
    {
        bool outside = false;
        for (const Corner& v : poly_)
            outside = outside || 2 * (v.x * ux + v.y * uy) - uu > 0;
        if (!outside)
            return false;
        next_.clear();
        const std::size_t n = poly_.size();
        for (std::size_t a = 0; a < n; ++a) {
            const Corner& v = poly_[a];
            const Corner& w = poly_[(a + 1) % n];
            const double sv = 2 * (v.x * ux + v.y * uy) - uu;
            const double sw = 2 * (w.x * ux + w.y * uy) - uu;
            if (sv <= 0)
                next_.push_back(v);
            if ((sv <= 0) != (sw <= 0)) {
                const double t = sv / (sv - sw);
                next_.push_back({v.x + t * (w.x - v.x), v.y + t * (w.y - v.y), sv <= 0 ? k : v.edge});
            }
        }
        poly_.swap(next_);
        return true;
    }

    std::vector<Corner> poly_, next_;
    std::vector<int> order_;
};

// The passes: plain loops over arrays, written so that the compiler can
// vectorise them. IEEE rounding is the same in every lane.

// cmp[k] = +1 where d_ij > d_ik, -1 where d_ij < d_ik, 0 where they tie.
void compareDistances(int n, const double* __restrict d, double dij, std::int32_t* __restrict cmp)
{
    for (int k = 0; k < n; ++k)
        cmp[k] = (dij > d[k]) - (dij < d[k]);
}

// The hiding and crossing rules for every k: e = e1 e2 tells whether the
// bisector of i and k passes between the two ends (e < 0); k hides the pair
// when it lies in j's quadrant seen from i, is nearer to i than j and its
// bisector does not pass between the ends; a crossing is recorded when the
// bisector passes between the ends, or when k is nearer than j but not in
// j's quadrant. Returns whether any k hides.
bool applyRules(int n, const SeenFrom& f, const std::int32_t* __restrict cmp, const Bisector& bis, float dxj, float dyj,
                std::int32_t* __restrict hides, std::int32_t* __restrict records)
{
    const float* __restrict A = f.A.data();
    const float* __restrict q = f.q.data();
    const float* __restrict c = f.c.data();
    const float* __restrict dx = f.dx.data();
    const float* __restrict dy = f.dy.data();
    const float x1 = bis.x1, y1 = bis.y1, x2 = bis.x2, y2 = bis.y2;
    std::int32_t any = 0;
    for (int k = 0; k < n; ++k) {
        const float e = (A[k] * y1 - (c[k] + q[k] * x1)) * (A[k] * y2 - (c[k] + q[k] * x2));
        const std::int32_t sameQuadrant = (dx[k] * dxj > 0) & (dy[k] * dyj > 0);
        const std::int32_t nearer = cmp[k] > 0;
        const std::int32_t farther = cmp[k] < 0;
        const std::int32_t between = e < 0;
        const std::int32_t hide = sameQuadrant & nearer & (e > 0);
        hides[k] = hide;
        records[k] = ((1 - sameQuadrant) | farther | between) & (between | nearer);
        any |= hide;
    }
    return any != 0;
}

// Whether some crossing of the line y = p x + b with a bisector of i may lie
// farther than cap from x = 0: (c - b) / (p - q) for the sloped ones, x0 for
// the vertical ones; parallel lines give none.
bool crossingsBeyond(int n, const SeenFrom& f, float p, float b, float cap)
{
    const float* __restrict A = f.A.data();
    const float* __restrict q = f.q.data();
    const float* __restrict c = f.c.data();
    std::int32_t far = 0;
    for (int k = 0; k < n; ++k) {
        const float den = p - q[k];
        const std::int32_t slopedFar = (den != 0) & (std::fabs(c[k] - b) > cap * std::fabs(den) * 0.999f);
        const std::int32_t verticalFar = std::fabs(c[k]) > cap;
        const std::int32_t vertical = A[k] == 0;
        far |= (vertical & verticalFar) | ((1 - vertical) & slopedFar);
    }
    return far != 0;
}

// Where the line y = p x + b crosses each bisector of i, as crossing() has it:
// ((c - b) / (p - q), then y = b + x p) for the sloped ones, (x0, b + x0 p)
// for the vertical ones. Parallel lines give points that are not finite.
void crossingsWith(int n, const SeenFrom& f, float p, float b, float* __restrict X, float* __restrict Y)
{
    const float* __restrict A = f.A.data();
    const float* __restrict q = f.q.data();
    const float* __restrict c = f.c.data();
    for (int k = 0; k < n; ++k) {
        const float sloped = (c[k] - b) / (p - q[k]);
        // The vertical ones' x0, picked bit for bit, with no branch.
        const std::uint32_t vertical = 0u - static_cast<std::uint32_t>(A[k] == 0);
        const float x = std::bit_cast<float>((std::bit_cast<std::uint32_t>(c[k]) & vertical) |
                                             (std::bit_cast<std::uint32_t>(sloped) & ~vertical));
        X[k] = x;
        Y[k] = b + x * p;
    }
}

class EdgeSearch {
public:
    EdgeSearch(Surface& s, const Sites& sites)
        : s_(s), X_(sites.X.data()), Y_(sites.Y.data()), N_(sites.N), n_(static_cast<std::size_t>(N_)), from_(n_),
          first_(n_), cmp_(n_), hides_(n_), records_(n_), crossX_(n_), crossY_(n_), lastHider_(n_, none)
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
        from_.reach = 0;
        for (int k = 0; k < N_; ++k) {
            const Line l = perpendicularBisector(xi_, yi_, X_[k], Y_[k]);
            from_.line[k] = l;
            const bool sloped = l.kind == Line::Kind::Sloped;
            from_.A[k] = sloped ? 1.f : 0.f;
            from_.q[k] = sloped ? l.p : -1.f;
            from_.c[k] = sloped ? l.b : l.x;  // a site at i's place reads as x = 0; it is skipped
            from_.d[k] = dist(xi_, yi_, X_[k], Y_[k]);
            from_.dx[k] = X_[k] - xi_;
            from_.dy[k] = Y_[k] - yi_;
            from_.ux[k] = double{X_[k]} - xi_;
            from_.uy[k] = double{Y_[k]} - yi_;
            from_.uu[k] = from_.ux[k] * from_.ux[k] + from_.uy[k] * from_.uy[k];
            from_.reach = std::max(from_.reach, std::sqrt(from_.uu[k]));
        }
        from_.closeReach = 2 * cell_.build(from_, N_, from_.neighbours) * 1.001;
        from_.close.clear();
        for (int k = 0; k < N_; ++k) {
            if (from_.uu[k] <= from_.closeReach * from_.closeReach)
                from_.close.push_back(k);
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

    // What the hiding and crossing rules say of one site k, as the full pass
    // would (see applyRules), taking its bisector as it is.
    void rules(int k, bool& hide, bool& record) const
    {
        const Line& l = from_.line[k];
        const float e = l.offset(bis_.x1, bis_.y1) * l.offset(bis_.x2, bis_.y2);
        const bool sameQuadrant = from_.dx[k] * dxj_ > 0 && from_.dy[k] * dyj_ > 0;
        hide = sameQuadrant && dij_ > from_.d[k] && e > 0;
        record = (!sameQuadrant || dij_ < from_.d[k] || e < 0) && (e < 0 || dij_ > from_.d[k]);
    }

    bool hides(int k) const
    {
        bool hide = false, record = false;
        rules(k, hide, record);
        return hide;
    }

    void drawPair(int j)
    {
        j_ = j;
        const Line& pair = from_.line[j];
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
        for (int k : from_.neighbours) {
            if (!skipped(k) && hides(k)) {
                hider = k;
                return;
            }
        }
        if (pair.kind == Line::Kind::Sloped && certainlyEmpty())
            return;
        if (!collectCrossings(hider))
            return;
        if (drawNearIsPart())
            return;
        sortAlongLine();
        drawPassingStretches();
    }

    // How much nearer site m is than site i along the pair's bisector,
    // f(x) = alpha x + beta, in double.
    void nearness(int m, double& alpha, double& beta) const
    {
        const double p = bis_.line.p;
        const double b = bis_.line.b;
        alpha = 2 * (from_.ux[m] + p * from_.uy[m]);
        beta = 2 * ((b - yi_) * from_.uy[m] - xi_ * from_.ux[m]) - from_.uu[m];
    }

    // The two sites that bound i's part of the line most tightly. Only the
    // sites that bound i's cell can.
    void findWitnesses(int& a, int& b) const
    {
        double lo = -HUGE_VAL, hi = HUGE_VAL;
        for (int m : from_.neighbours) {
            if (skipped(m))
                continue;
            double alpha = 0, beta = 0;
            nearness(m, alpha, beta);
            const double r = -beta / alpha;
            if (alpha < 0 && r > lo) {
                lo = r;
                a = m;
            } else if (alpha > 0 && r < hi) {
                hi = r;
                b = m;
            }
        }
    }

    // True when no stretch of the pair can pass, whatever its crossing list
    // holds: at every point where a stretch's midpoint can fall, a third site
    // is nearer than i by far more than the rounding of the midpoint and of
    // dist can make up. Such a pair draws nothing, so its search is left out.
    bool certainlyEmpty()
    {
        if (!std::isfinite(bis_.x1) || !std::isfinite(bis_.x2))
            return false;
        int& a = witnessBelow_;
        int& b = witnessAbove_;
        if (proveEmpty(a, b))
            return true;
        findWitnesses(a, b);
        return proveEmpty(a, b);
    }

    // What sites a and b prove along the pair's bisector. Site a is nearer
    // than i below x = lo (alpha_a < 0) and site b above x = hi (alpha_b > 0),
    // so at x one of them is nearer than i by at least
    //   g(x) = max(A (lo - x), B (x - hi)).
    // A midpoint at distance R from i is off the line, and its distances are
    // off, by well under 2^-18 (R + reach)^2 in f, reach being the farthest
    // site from i, and R <= (1 + |p|) |x| + offset. Where g(x) is larger
    // than that, a midpoint is certainly rejected.
    struct Proof {
        double A = 0, B = 0, lo = 0, hi = 0, kink = 0, slope = 0, offset = 0;

        double slack(double x) const
        {
            const double R = (1 + slope) * std::fabs(x) + offset;
            return 0x1p-18 * R * R;
        }
        // Certainly rejected at x by a (below the kink) or by b (above it).
        bool byA(double x) const { return x < kink && A * (lo - x) > slack(x); }
        bool byB(double x) const { return x > kink && B * (x - hi) > slack(x); }
    };

    bool proof(int a, int b, Proof& pr) const
    {
        if (a == none || b == none || skipped(a) || skipped(b))
            return false;
        double alphaA = 0, betaA = 0, alphaB = 0, betaB = 0;
        nearness(a, alphaA, betaA);
        nearness(b, alphaB, betaB);
        if (!(alphaA < 0) || !(alphaB > 0))
            return false;
        pr.A = -alphaA;
        pr.B = alphaB;
        pr.lo = -betaA / alphaA;
        pr.hi = -betaB / alphaB;
        pr.kink = (pr.A * pr.lo + pr.B * pr.hi) / (pr.A + pr.B);
        pr.slope = std::fabs(double{bis_.line.p});
        pr.offset = std::fabs(double{bis_.line.b}) + std::fabs(double{xi_}) + std::fabs(double{yi_}) + from_.reach;
        return std::isfinite(pr.kink);
    }

    // How far along the line the proof can reach: beyond it the slack,
    // growing with the square of the distance, overtakes g, which grows
    // linearly. The larger roots of g(x) = slack(x) on either side.
    static double reach(const Proof& pr)
    {
        const double eps = 0x1p-18;
        const double sl = 1 + pr.slope;
        const double o = pr.offset;
        auto largerRoot = [](double a2, double a1, double a0) {
            const double disc = a1 * a1 - 4 * a2 * a0;
            return disc > 0 ? (-a1 + std::sqrt(disc)) / (2 * a2) : 0.0;
        };
        const double right = largerRoot(eps * sl * sl, 2 * eps * sl * o - pr.B, eps * o * o + pr.B * pr.hi);
        const double left = largerRoot(eps * sl * sl, 2 * eps * sl * o - pr.A, eps * o * o - pr.A * pr.lo);
        return std::min(left, right) * 0.99;
    }

    // When a and b leave i no part of the line, no midpoint between -X and X
    // can pass. Between -X and X, g minus the slack is concave on each side
    // of g's kink, so the two ends and the kink settle it; then every point
    // of the list must lie between -X and X.
    bool proveEmpty(int a, int b) const
    {
        Proof pr;
        if (!proof(a, b, pr) || !(pr.lo > pr.hi))
            return false;
        const double X = std::min(reach(pr), 1e30);
        if (!(std::fabs(bis_.x1) < X) || !(std::fabs(bis_.x2) < X))
            return false;
        const double kink = std::clamp(pr.kink, -X, X);
        for (const double x : {-X, kink, X}) {
            if (!(std::max(pr.A * (pr.lo - x), pr.B * (x - pr.hi)) > pr.slack(x)))
                return false;
        }
        return !crossingsBeyond(N_, from_, bis_.line.p, bis_.line.b, static_cast<float>(X));
    }

    // Tests only the stretches near i's part of the line. Points whose
    // neighbourhood below the kink is certainly rejected by a lie together
    // at the low end of the sorted list, those certainly rejected by b at the
    // high end, and a stretch between two such points is rejected too; so
    // only the stretches from the highest of the first to the lowest of the
    // second need the test, and only their points need sorting. False, with
    // nothing drawn, where that does not hold or keys tie.
    bool drawNearIsPart()
    {
        if (bis_.line.kind != Line::Kind::Sloped)
            return false;
        int a = none, b = none;
        findWitnesses(a, b);
        Proof pr;
        if (!proof(a, b, pr))
            return false;
        const int n = list_.count;
        int below = none, above = none;  // the highest point rejected by a, the lowest by b
        float lowKey = -HUGE_VALF, highKey = HUGE_VALF;
        int middle = 0;
        float middleMin = HUGE_VALF, middleMax = -HUGE_VALF;
        for (int k = 0; k < n; ++k) {
            const float x = list_.XS[k];
            if (!std::isfinite(x))
                return false;
            if (pr.byA(x)) {
                if (x == lowKey)
                    return false;
                if (x > lowKey) {
                    lowKey = x;
                    below = k;
                }
            } else if (pr.byB(x)) {
                if (x == highKey)
                    return false;
                if (x < highKey) {
                    highKey = x;
                    above = k;
                }
            } else {
                middle_[middle++] = k;
                middleMin = std::min(middleMin, x);
                middleMax = std::max(middleMax, x);
            }
        }
        // A tie with the highest of the low points, or the lowest of the high
        // ones, would leave the order to the heap sort's tie rules.
        for (int k = 0; k < n; ++k) {
            if (k != below && list_.XS[k] == lowKey && below != none)
                return false;
            if (k != above && list_.XS[k] == highKey && above != none)
                return false;
        }
        if (!(middleMin > lowKey) || !(middleMax < highKey))
            return false;
        if (below != none)
            middle_[middle++] = below;
        if (above != none)
            middle_[middle++] = above;
        std::sort(middle_.begin(), middle_.begin() + middle,
                  [this](int u, int v) { return list_.XS[u] < list_.XS[v]; });
        for (int k = 1; k < middle; ++k) {
            if (list_.XS[middle_[k]] == list_.XS[middle_[k - 1]])
                return false;
        }
        for (int k = 0; k + 1 < middle; ++k)
            drawStretch(middle_[k], middle_[k + 1]);
        return true;
    }

    // The crossing list: the first end, the points where the bisectors of i
    // with the third sites cross the pair's bisector in the order of k, the
    // second end. False, with the hiding site noted, when a third site hides
    // the whole clipped line.
    bool collectCrossings(int& hider)
    {
        compareDistances(N_, from_.d.data(), dij_, cmp_.data());
        bool anyHides = false;
        if (finite(bis_.x1, bis_.y1, bis_.x2, bis_.y2)) {
            anyHides = applyRules(N_, from_, cmp_.data(), bis_, dxj_, dyj_, hides_.data(), records_.data());
        } else {
            // Ends off at infinity: the vertical lines' reading A y would not
            // be 0 there, so take each line as it is.
            for (int k = 0; k < N_; ++k) {
                bool hide = false, record = false;
                rules(k, hide, record);
                hides_[k] = hide;
                records_[k] = record;
                anyHides = anyHides || hide;
            }
        }
        if (anyHides) {
            for (int k = 0; k < N_; ++k) {
                if (hides_[k] && !skipped(k)) {
                    hider = k;
                    return false;
                }
            }
        }
        list_.count = 0;
        list_.append(bis_.x1, bis_.y1, none);
        if (bis_.line.kind == Line::Kind::Sloped) {
            crossingsWith(N_, from_, bis_.line.p, bis_.line.b, crossX_.data(), crossY_.data());
            for (int k = 0; k < N_; ++k) {
                if (records_[k] && !skipped(k) && std::isfinite(crossX_[k]) && std::isfinite(crossY_[k]))
                    list_.append(crossX_[k], crossY_[k], k);
            }
        } else {
            for (int k = 0; k < N_; ++k) {
                float x = 0;
                float y = 0;
                if (records_[k] && !skipped(k) && crossing(bis_.line, from_.line[k], x, y))
                    list_.append(x, y, k);
            }
        }
        list_.append(bis_.x2, bis_.y2, none);
        return true;
    }

    // Order the points along the line: by x, or by y on a vertical line.
    void sortAlongLine()
    {
        const bool byY = bis_.line.kind == Line::Kind::Vertical;
        std::span<float> keys(byY ? list_.YS : list_.XS);
        std::span<float> other(byY ? list_.XS : list_.YS);
        std::span<std::int16_t> by(list_.by);
        if (!sortWithoutTies(keys, other, by))
            hSort(list_.count, keys, other, by);
    }

    // Sorts by key when no two keys are equal, and then any sort gives the
    // heap sort's result. Leaves the list alone and returns false otherwise,
    // and where a key is not a number (an end of a line that misses the
    // canvas): only the heap sort says where that goes.
    bool sortWithoutTies(std::span<float> keys, std::span<float> other, std::span<std::int16_t> by)
    {
        const int n = list_.count;
        for (int k = 0; k < n; ++k) {
            if (std::isnan(keys[k]))
                return false;
            order_[k] = {keys[k], k};
        }
        std::sort(order_.begin(), order_.begin() + n);
        for (int k = 1; k < n; ++k) {
            if (order_[k].first == order_[k - 1].first)
                return false;
        }
        for (int k = 0; k < n; ++k) {
            const int from = order_[k].second;
            sortedOther_[k] = other[from];
            sortedBy_[k] = by[from];
        }
        for (int k = 0; k < n; ++k) {
            keys[k] = order_[k].first;
            other[k] = sortedOther_[k];
            by[k] = sortedBy_[k];
        }
        return true;
    }

    void drawPassingStretches()
    {
        for (int s = 0; s + 1 < list_.count; ++s)
            drawStretch(s, s + 1);
    }

    // Tests the stretch from entry s to entry t of the list, its neighbour
    // along the line, and draws it when it passes.
    void drawStretch(int s, int t)
    {
        float mx = 0;
        float my = 0;
        if (bis_.line.kind == Line::Kind::Vertical) {
            mx = bis_.line.x;
            my = (list_.YS[s] + list_.YS[t]) / 2;
        } else {
            mx = (list_.XS[s] + list_.XS[t]) / 2;
            my = bis_.line.b + mx * bis_.line.p;
        }
        if (!rejected(mx, my, list_.by[s], list_.by[t]) && finite(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]))
            s_.line(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]);
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
            if (m != none && !skipped(m) && nearer(m, mx, my, di2, di)) {
                lastRejecter_ = m;
                return true;
            }
        }
        // A site m can be nearer than i only when |m - i| < 2 di; when that
        // lies well within the close sites' reach, no other site can.
        if (di * 2.0001 <= from_.closeReach) {
            for (int m : from_.close) {
                if (!skipped(m) && nearer(m, mx, my, di2, di)) {
                    lastRejecter_ = m;
                    return true;
                }
            }
            return false;
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
    const std::size_t n_;
    SeenFrom from_;
    CellOfI cell_;
    std::vector<int> first_;
    bool duplicates_ = false;
    std::vector<std::int32_t> cmp_, hides_, records_;
    std::vector<float> crossX_, crossY_;
    std::vector<int> lastHider_;  // per i, the site that last hid one of its pairs
    int lastRejecter_ = none;
    int witnessBelow_ = none, witnessAbove_ = none;  // the sites that last proved a pair empty
    CrossingList list_;
    std::array<std::pair<float, int>, listCapacity> order_{};
    std::array<float, listCapacity> sortedOther_{};
    std::array<std::int16_t, listCapacity> sortedBy_{};
    std::array<int, listCapacity> middle_{};

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
