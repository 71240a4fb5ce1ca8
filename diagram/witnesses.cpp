#include "diagram/witnesses.h"

#include <algorithm>
#include <cmath>

#include "diagram/margins.h"
#include "diagram/passes.h"
#include "diagram/run.h"

namespace {

// How much nearer site m is than site i along the pair's bisector,
// f(x) = alpha x + beta, in double.
void nearness(const PairView& v, int m, double& alpha, double& beta)
{
    const double p = v.bis.line.p;
    const double b = v.bis.line.b;
    alpha = 2 * (v.from.ux[m] + p * v.from.uy[m]);
    beta = 2 * ((b - v.yi) * v.from.uy[m] - v.xi * v.from.ux[m]) - v.from.uu[m];
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

// When a and b leave i no part of the line, no midpoint between -X and X can
// pass. Between -X and X, g minus the slack is concave on each side of g's
// kink, so the two ends and the kink settle it; then every point of the list
// must lie between -X and X.
bool proveEmpty(const PairView& v, int N, int a, int b)
{
    Proof pr;
    if (!proveBy(v, a, b, pr) || !(pr.lo > pr.hi))
        return false;
    const double X = std::min(reachOf(pr), 1e30);
    if (!(std::fabs(v.bis.x1) < X) || !(std::fabs(v.bis.x2) < X))
        return false;
    const double kink = std::clamp(pr.kink, -X, X);
    for (const double x : {-X, kink, X}) {
        if (!(std::max(pr.A * (pr.lo - x), pr.B * (x - pr.hi)) > pr.slack(x)))
            return false;
    }
    return !crossingsBeyond(N, v.from, v.bis.line.p, v.bis.line.b, static_cast<float>(X));
}

}  // namespace

double Proof::slack(double x) const
{
    const double R = (1 + slope) * std::fabs(x) + offset;
    return margin::proofSlack * R * R;
}

void findWitnesses(const PairView& v, int& a, int& b)
{
    double lo = -HUGE_VAL, hi = HUGE_VAL;
    for (int m : v.from.neighbours) {
        if (v.ofPair(m))
            continue;
        double alpha = 0, beta = 0;
        nearness(v, m, alpha, beta);
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

bool proveBy(const PairView& v, int a, int b, Proof& pr)
{
    if (a == noSite || b == noSite || v.ofPair(a) || v.ofPair(b))
        return false;
    double alphaA = 0, betaA = 0, alphaB = 0, betaB = 0;
    nearness(v, a, alphaA, betaA);
    nearness(v, b, alphaB, betaB);
    if (!(alphaA < 0) || !(alphaB > 0))
        return false;
    pr.A = -alphaA;
    pr.B = alphaB;
    pr.lo = -betaA / alphaA;
    pr.hi = -betaB / alphaB;
    pr.kink = (pr.A * pr.lo + pr.B * pr.hi) / (pr.A + pr.B);
    pr.slope = std::fabs(double{v.bis.line.p});
    pr.offset = std::fabs(double{v.bis.line.b}) + std::fabs(double{v.xi}) + std::fabs(double{v.yi}) + v.from.reach;
    return std::isfinite(pr.kink);
}

bool certainlyEmpty(const PairView& v, int N, int& a, int& b)
{
    if (!std::isfinite(v.bis.x1) || !std::isfinite(v.bis.x2))
        return false;
    if (proveEmpty(v, N, a, b))
        return true;
    findWitnesses(v, a, b);
    return proveEmpty(v, N, a, b);
}

int nearPart(const Proof& pr, const CrossingList& list, int* order)
{
    const int n = list.count;
    int below = noSite, above = noSite;  // the highest point rejected by a, the lowest by b
    float lowKey = -HUGE_VALF, highKey = HUGE_VALF;
    int middle = 0;
    float middleMin = HUGE_VALF, middleMax = -HUGE_VALF;
    for (int k = 0; k < n; ++k) {
        const float x = list.XS[k];
        if (!std::isfinite(x))
            return -1;
        if (pr.byA(x)) {
            if (x == lowKey)
                return -1;
            if (x > lowKey) {
                lowKey = x;
                below = k;
            }
        } else if (pr.byB(x)) {
            if (x == highKey)
                return -1;
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
            return -1;
        if (k != above && list.XS[k] == highKey && above != noSite)
            return -1;
    }
    if (!(middleMin > lowKey) || !(middleMax < highKey))
        return -1;
    if (below != noSite)
        order[middle++] = below;
    if (above != noSite)
        order[middle++] = above;
    std::sort(order, order + middle, [&list](int u, int v) { return list.XS[u] < list.XS[v]; });
    for (int k = 1; k < middle; ++k) {
        if (list.XS[order[k]] == list.XS[order[k - 1]])
            return -1;
    }
    return middle;
}
