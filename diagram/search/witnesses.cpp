#include "diagram/search/witnesses.h"

#include <algorithm>
#include <cmath>

#include "diagram/run.h"
#include "diagram/search/margins.h"
#include "diagram/search/passes.h"

namespace {

// How much nearer site m is than site i along the pair's bisector, in square
// distance: f(x) = alpha x + beta, in double. It is zero at x = root.
struct Nearness {
    double alpha, beta;
    double root() const { return -beta / alpha; }
};

Nearness nearness(const Pair& pair, int m)
{
    const double p = pair.bis.line.p;
    const double b = pair.bis.line.b;
    const SeenFrom& f = pair.from;
    return {2 * (f.ux[m] + p * f.uy[m]), 2 * ((b - pair.yi) * f.uy[m] - pair.xi * f.ux[m]) - f.uu[m]};
}

// How far along the line the proof can reach: beyond it the slack, growing
// with the square of the distance, overtakes g, which grows linearly. The
// larger roots of g(x) = slack(x) on either side.
double reachOf(const Proof& pr)
{
    const double eps = margin::proofSlack;
    const double sl = 1 + pr.slope;
    const double o = pr.offset;
    auto largerRoot = [](double a2, double a1, double a0) {
        const double disc = a1 * a1 - 4 * a2 * a0;
        return disc > 0 ? (-a1 + std::sqrt(disc)) / (2 * a2) : 0.0;
    };
    const double right = largerRoot(eps * sl * sl, 2 * eps * sl * o - pr.B, eps * o * o + pr.B * pr.hi);
    const double left = largerRoot(eps * sl * sl, 2 * eps * sl * o - pr.A, eps * o * o - pr.A * pr.lo);
    return std::min(left, right) * margin::proofReachShrink;
}

// The farthest reach a proof is taken to. The reach is handed to
// crossingsBeyond as a float cap, which must be finite: below 3.4e38. (Where
// the cap times a crossing's denominator overflows, nothing is flagged, and
// rightly: the crossing, a finite quotient, lies within so large a cap.) 1e30
// is still far beyond any point a canvas of some thousand pixels can draw.
constexpr double maxReach = 1e30;

// When a and b leave i no part of the line, no midpoint between -X and X can
// pass. Between -X and X, g minus the slack is concave on each side of g's
// kink, so the two ends and the kink settle it; then every point of the list
// must lie between -X and X.
bool proveEmpty(const Pair& pair, int N, Witnesses w)
{
    const std::optional<Proof> pr = proveBy(pair, w);
    if (!pr || !(pr->lo > pr->hi))
        return false;
    const double X = std::min(reachOf(*pr), maxReach);
    if (!(std::fabs(pair.bis.x1) < X) || !(std::fabs(pair.bis.x2) < X))
        return false;
    const double kink = std::clamp(pr->kink, -X, X);
    for (const double x : {-X, kink, X}) {
        if (!(std::max(pr->A * (pr->lo - x), pr->B * (x - pr->hi)) > pr->slack(x)))
            return false;
    }
    return !crossingsBeyond(N, pair.from, pair.bis.line.p, pair.bis.line.b, static_cast<float>(X));
}

}  // namespace

double Proof::slack(double x) const
{
    const double R = (1 + slope) * std::fabs(x) + offset;
    return margin::proofSlack * R * R;
}

Witnesses findWitnesses(const Pair& pair)
{
    Witnesses w;
    double lo = -HUGE_VAL, hi = HUGE_VAL;
    for (int m : pair.from.neighbours) {
        if (pair.ofPair(m))
            continue;
        const Nearness f = nearness(pair, m);
        const double r = f.root();
        if (f.alpha < 0 && r > lo) {
            lo = r;
            w.a = m;
        } else if (f.alpha > 0 && r < hi) {
            hi = r;
            w.b = m;
        }
    }
    return w;
}

std::optional<Proof> proveBy(const Pair& pair, Witnesses w)
{
    if (w.a == noSite || w.b == noSite || pair.ofPair(w.a) || pair.ofPair(w.b))
        return std::nullopt;
    const Nearness fa = nearness(pair, w.a);
    const Nearness fb = nearness(pair, w.b);
    if (!(fa.alpha < 0) || !(fb.alpha > 0))
        return std::nullopt;
    Proof pr;
    pr.A = -fa.alpha;
    pr.B = fb.alpha;
    pr.lo = fa.root();
    pr.hi = fb.root();
    pr.kink = (pr.A * pr.lo + pr.B * pr.hi) / (pr.A + pr.B);
    pr.slope = std::fabs(double{pair.bis.line.p});
    pr.offset = std::fabs(double{pair.bis.line.b}) + std::fabs(double{pair.xi}) + std::fabs(double{pair.yi}) +
                pair.from.reach + margin::proofSubnormalGrowth;
    if (!std::isfinite(pr.kink))
        return std::nullopt;
    return pr;
}

bool certainlyEmpty(const Pair& pair, int N, Witnesses& tried)
{
    if (!std::isfinite(pair.bis.x1) || !std::isfinite(pair.bis.x2))
        return false;
    if (proveEmpty(pair, N, tried))
        return true;
    tried = findWitnesses(pair);
    return proveEmpty(pair, N, tried);
}

std::optional<std::span<const int>> nearPart(const Proof& pr, const CrossingList& list, std::span<int> order)
{
    const int n = list.count;
    int below = noSite, above = noSite;  // the highest point rejected by a, the lowest by b
    float lowKey = -HUGE_VALF, highKey = HUGE_VALF;
    int middle = 0;
    float middleMin = HUGE_VALF, middleMax = -HUGE_VALF;
    for (int k = 0; k < n; ++k) {
        const float x = list.XS[k];
        if (!std::isfinite(x))
            return std::nullopt;
        if (pr.byA(x)) {
            if (x > lowKey) {
                lowKey = x;
                below = k;
            }
        } else if (pr.byB(x)) {
            if (x < highKey) {
                highKey = x;
                above = k;
            }
        } else {
            order[middle++] = k;
            middleMin = std::min(middleMin, x);
            middleMax = std::max(middleMax, x);
        }
    }
    // A tie with the highest of the low points, or the lowest of the high
    // ones, would leave the order to the heap sort's tie rules.
    for (int k = 0; k < n; ++k) {
        if (k != below && list.XS[k] == lowKey && below != noSite)
            return std::nullopt;
        if (k != above && list.XS[k] == highKey && above != noSite)
            return std::nullopt;
    }
    if (!(middleMin > lowKey) || !(middleMax < highKey))
        return std::nullopt;
    if (below != noSite)
        order[middle++] = below;
    if (above != noSite)
        order[middle++] = above;
    const std::span<int> near = order.first(static_cast<std::size_t>(middle));
    std::sort(near.begin(), near.end(), [&list](int u, int v) { return list.XS[u] < list.XS[v]; });
    for (std::size_t k = 1; k < near.size(); ++k) {
        if (list.XS[near[k]] == list.XS[near[k - 1]])
            return std::nullopt;
    }
    return near;
}
