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
// - the rules are applied to every third site in one branch-free pass;
// - whether a pair is hidden does not depend on which site hides it, and
//   whether a stretch is rejected does not depend on which site rejects it,
//   so the likeliest sites are tried first;
// - a pair whose every possible stretch is certainly rejected (see
//   certainlyEmpty) is not searched at all: it would draw nothing;
// - the heap sort only decides the order of equal keys, so a list without
//   equal keys may be sorted any way.
// A pair whose bisector is steep (see Line) is worked out with x and y
// exchanged, where it is nearly level, and drawn back.

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
    // for y = q x + c, and A = -p', q = -1, c = b' for the steep x = p' y + b',
    // which gives its offset -p' y - (b' - x) with the same rounding. D is -q
    // for the sloped ones and 1 for the steep ones (see crossingsWith).
    std::vector<Line> line;
    std::vector<float> A, q, c, D;
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

    explicit SeenFrom(std::size_t n) : line(n), A(n), q(n), c(n), D(n), d(n), dx(n), dy(n), ux(n), uy(n), uu(n) {}
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
// farther than cap from x = 0 (see crossingsWith); parallel lines give none.
bool crossingsBeyond(int n, const SeenFrom& f, float p, float b, float cap)
{
    const float* __restrict A = f.A.data();
    const float* __restrict D = f.D.data();
    const float* __restrict c = f.c.data();
    std::int32_t far = 0;
    for (int k = 0; k < n; ++k) {
        const float num = c[k] - A[k] * b;
        const float den = D[k] + A[k] * p;
        far |= (den != 0) & (std::fabs(num) > cap * std::fabs(den) * 0.999f);
    }
    return far != 0;
}

// Where the line y = p x + b crosses each bisector of i, as crossing() has it:
// x = (c - A b) / (D + A p), which is (c - b) / (p - q) for the sloped ones
// and (c - A b) / (1 + A p) for the steep ones; then y = b + x p. Parallel
// lines give points that are not finite.
void crossingsWith(int n, const SeenFrom& f, float p, float b, float* __restrict X, float* __restrict Y)
{
    const float* __restrict A = f.A.data();
    const float* __restrict D = f.D.data();
    const float* __restrict c = f.c.data();
    for (int k = 0; k < n; ++k) {
        const float x = (c[k] - A[k] * b) / (D[k] + A[k] * p);
        X[k] = x;
        Y[k] = b + x * p;
    }
}

class EdgeSearch {
public:
    EdgeSearch(Surface& s, const Sites& sites)
        : s_(s), X0_(sites.X.data()), Y0_(sites.Y.data()), X_(X0_), Y_(Y0_), N_(sites.N),
          n_(static_cast<std::size_t>(N_)), level_(n_), exchanged_(n_), first_(n_), cmp_(n_), hides_(n_), records_(n_),
          crossX_(n_), crossY_(n_), lastHider_(n_, none)
    {
        // first_[k]: the lowest-numbered site at k's very place.
        for (int k = 0; k < N_; ++k) {
            first_[k] = k;
            for (int m = 0; m < k; ++m) {
                if (X0_[m] == X0_[k] && Y0_[m] == Y0_[k]) {
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
    // Site i's bisectors with every site, as the line A y - (c + q x) reads
    // them in the frame (x, y) of the arrays X and Y.
    static void setLine(SeenFrom& f, int k, const Line& l)
    {
        f.line[k] = l;
        const bool sloped = l.kind == Line::Kind::Sloped;
        f.A[k] = sloped ? 1.f : -l.p;
        f.q[k] = sloped ? l.p : -1.f;
        f.c[k] = l.b;  // a site at i's place reads as x = 0; it is skipped
        f.D[k] = sloped ? -l.p : 1.f;
    }

    void seenFrom(int i)
    {
        i_ = i;
        exchangedFor_ = none;
        useFrame(false);
        const float xi = X0_[i], yi = Y0_[i];
        SeenFrom& f = level_;
        f.reach = 0;
        for (int k = 0; k < N_; ++k) {
            setLine(f, k, perpendicularBisector(xi, yi, X0_[k], Y0_[k]));
            f.d[k] = dist(xi, yi, X0_[k], Y0_[k]);
            f.dx[k] = X0_[k] - xi;
            f.dy[k] = Y0_[k] - yi;
            f.ux[k] = double{X0_[k]} - xi;
            f.uy[k] = double{Y0_[k]} - yi;
            f.uu[k] = f.ux[k] * f.ux[k] + f.uy[k] * f.uy[k];
            f.reach = std::max(f.reach, std::sqrt(f.uu[k]));
        }
        f.closeReach = 2 * cell_.build(f, N_, f.neighbours) * 1.001;
        f.close.clear();
        for (int k = 0; k < N_; ++k) {
            if (f.uu[k] <= f.closeReach * f.closeReach)
                f.close.push_back(k);
        }
    }

    // The same seen with x and y exchanged, for i's steep pairs: the
    // bisectors worked out anew, everything else mirrored (distances and the
    // cell's sites do not change).
    void seenExchanged()
    {
        exchangedFor_ = i_;
        const SeenFrom& l = level_;
        SeenFrom& f = exchanged_;
        const float xi = Y0_[i_], yi = X0_[i_];
        for (int k = 0; k < N_; ++k) {
            setLine(f, k, perpendicularBisector(xi, yi, Y0_[k], X0_[k]));
            f.d[k] = l.d[k];
            f.dx[k] = l.dy[k];
            f.dy[k] = l.dx[k];
            f.ux[k] = l.uy[k];
            f.uy[k] = l.ux[k];
            f.uu[k] = l.uu[k];
        }
        f.reach = l.reach;
        f.neighbours = l.neighbours;
        f.close = l.close;
        f.closeReach = l.closeReach;
    }

    // Works in the window's frame, or in the one with x and y exchanged.
    void useFrame(bool exchanged)
    {
        inExchanged_ = exchanged;
        X_ = exchanged ? Y0_ : X0_;
        Y_ = exchanged ? X0_ : Y0_;
        f_ = exchanged ? &exchanged_ : &level_;
        xi_ = X_[i_];
        yi_ = Y_[i_];
    }

    const SeenFrom& from() const { return *f_; }

    void drawLine(float x1, float y1, float x2, float y2)
    {
        if (inExchanged_)
            s_.line(y1, x1, y2, x2);
        else
            s_.line(x1, y1, x2, y2);
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
        const Line& l = from().line[k];
        const float e = l.offset(bis_.x1, bis_.y1) * l.offset(bis_.x2, bis_.y2);
        const bool sameQuadrant = from().dx[k] * dxj_ > 0 && from().dy[k] * dyj_ > 0;
        hide = sameQuadrant && dij_ > from().d[k] && e > 0;
        record = (!sameQuadrant || dij_ < from().d[k] || e < 0) && (e < 0 || dij_ > from().d[k]);
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
        const Line& pair = level_.line[j];
        if (pair.kind == Line::Kind::None)
            return;  // coincident sites share one cell: there is no edge
        const float W = s_.outerWidth() / twipsPerPixel;
        const float H = s_.outerHeight() / twipsPerPixel;
        if (pair.kind == Line::Kind::Steep) {
            if (exchangedFor_ != i_)
                seenExchanged();
            useFrame(true);
            bis_ = clip(exchanged_.line[j], H, W);
        } else {
            useFrame(false);
            bis_ = clip(pair, W, H);
        }
        dij_ = from().d[j];
        dxj_ = from().dx[j];
        dyj_ = from().dy[j];

        int& hider = lastHider_[i_];
        if (hider != none && !skipped(hider) && hides(hider))
            return;
        for (int k : from().neighbours) {
            if (!skipped(k) && hides(k)) {
                hider = k;
                return;
            }
        }
        if (certainlyEmpty())
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
        alpha = 2 * (from().ux[m] + p * from().uy[m]);
        beta = 2 * ((b - yi_) * from().uy[m] - xi_ * from().ux[m]) - from().uu[m];
    }

    // The two sites that bound i's part of the line most tightly. Only the
    // sites that bound i's cell can.
    void findWitnesses(int& a, int& b) const
    {
        double lo = -HUGE_VAL, hi = HUGE_VAL;
        for (int m : from().neighbours) {
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
        pr.offset = std::fabs(double{bis_.line.b}) + std::fabs(double{xi_}) + std::fabs(double{yi_}) + from().reach;
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
        return !crossingsBeyond(N_, from(), bis_.line.p, bis_.line.b, static_cast<float>(X));
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
        compareDistances(N_, from().d.data(), dij_, cmp_.data());
        bool anyHides = false;
        if (finite(bis_.x1, bis_.y1, bis_.x2, bis_.y2)) {
            anyHides = applyRules(N_, from(), cmp_.data(), bis_, dxj_, dyj_, hides_.data(), records_.data());
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
        crossingsWith(N_, from(), bis_.line.p, bis_.line.b, crossX_.data(), crossY_.data());
        for (int k = 0; k < N_; ++k) {
            if (records_[k] && !skipped(k) && std::isfinite(crossX_[k]) && std::isfinite(crossY_[k]))
                list_.append(crossX_[k], crossY_[k], k);
        }
        list_.append(bis_.x2, bis_.y2, none);
        return true;
    }

    // Order the points along the line, by x.
    void sortAlongLine()
    {
        std::span<float> keys(list_.XS);
        std::span<float> other(list_.YS);
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
        const float mx = (list_.XS[s] + list_.XS[t]) / 2;
        const float my = bis_.line.b + mx * bis_.line.p;
        if (!rejected(mx, my, list_.by[s], list_.by[t]) && finite(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]))
            drawLine(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]);
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
        if (di * 2.0001 <= from().closeReach) {
            for (int m : from().close) {
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
    const float* X0_;  // the sites as the window has them
    const float* Y0_;
    const float* X_;  // and in the frame of the pair at hand
    const float* Y_;
    const int N_;
    const std::size_t n_;
    SeenFrom level_, exchanged_;
    const SeenFrom* f_ = &level_;
    bool inExchanged_ = false;
    int exchangedFor_ = none;  // the i that exchanged_ was worked out for
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
