#include "diagram/bisector.h"

#include <cmath>

Line perpendicularBisector(float xi, float yi, float xk, float yk)
{
    if (xi == xk && yi == yk)
        return {};
    const float a = (yi - yk) / (xi - xk);
    const float p = -1 / a;
    const float my = (yi + yk) / 2;
    const float mx = (xi + xk) / 2;
    if (std::isinf(p))
        return Line::vertical(mx);
    if (std::isnan(p))
        return {};
    return Line::sloped(p, my - p * mx);
}

Bisector clippedBisector(float xi, float yi, float xj, float yj, float W, float H)
{
    return clip(perpendicularBisector(xi, yi, xj, yj), W, H);
}

Bisector clip(const Line& line, float W, float H)
{
    Bisector s;
    s.line = line;
    const float p = s.line.p;
    const float b = s.line.b;
    switch (s.line.kind) {
    case Line::Kind::None: break;
    case Line::Kind::Vertical:
        s.x1 = s.x2 = s.line.x;
        s.y1 = 0;
        s.y2 = H;
        break;
    case Line::Kind::Sloped:
        if (b > 0 && b < H) {
            s.x1 = 0;
            s.y1 = b;
        } else if (p > 0) {
            s.x1 = -b / p;
            s.y1 = 0;
        } else {
            s.x1 = (H - b) / p;
            s.y1 = H;
        }
        const float yW = b + p * W;
        if (yW < H && yW > 0) {
            s.x2 = W;
            s.y2 = yW;
        } else if (p > 0) {
            s.x2 = (H - b) / p;
            s.y2 = H;
        } else {
            s.x2 = -b / p;
            s.y2 = 0;
        }
        break;
    }
    return s;
}

bool crossing(const Line& l, const Line& m, float& x, float& y)
{
    using K = Line::Kind;
    if (l.kind == K::None || m.kind == K::None)
        return false;
    if (l.kind == K::Sloped && m.kind == K::Sloped) {
        x = (m.b - l.b) / (l.p - m.p);
        y = l.b + x * l.p;
    } else if (l.kind == K::Sloped && m.kind == K::Vertical) {
        x = m.x;
        y = l.b + x * l.p;
    } else if (l.kind == K::Vertical && m.kind == K::Sloped) {
        x = l.x;
        y = m.b + x * m.p;
    } else {
        return false;
    }
    return std::isfinite(x) && std::isfinite(y);
}
