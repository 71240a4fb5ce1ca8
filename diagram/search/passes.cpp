#include "diagram/search/passes.h"

#include <cfloat>
#include <cmath>

#include "diagram/search/margins.h"

void compareDistances(int n, const double* __restrict d, double dij, std::int32_t* __restrict cmp)
{
    for (int k = 0; k < n; ++k)
        cmp[k] = (dij > d[k]) - (dij < d[k]);
}

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
        const Verdict v = rulesFor(sameQuadrant, cmp[k], e);
        hides[k] = v.hide;
        records[k] = v.record;
        any |= v.hide;
    }
    return any != 0;
}

bool crossingsBeyond(int n, const SeenFrom& f, float p, float b, float cap)
{
    if (cap < FLT_MIN)
        return true;
    const float* __restrict A = f.A.data();
    const float* __restrict den = f.den.data();
    const float* __restrict c = f.c.data();
    std::int32_t far = 0;
    for (int k = 0; k < n; ++k) {
        const float num = c[k] - A[k] * b;
        const float d = den[k] + A[k] * p;
        const float bound = cap * std::fabs(d) * margin::crossingCapShrink;
        far |= (d != 0) & ((std::fabs(num) > bound) | (bound < FLT_MIN));
    }
    return far != 0;
}

void crossingsWith(int n, const SeenFrom& f, float p, float b, float* __restrict X, float* __restrict Y)
{
    const float* __restrict A = f.A.data();
    const float* __restrict den = f.den.data();
    const float* __restrict c = f.c.data();
    for (int k = 0; k < n; ++k) {
        const float x = (c[k] - A[k] * b) / (den[k] + A[k] * p);
        X[k] = x;
        Y[k] = b + x * p;
    }
}
