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
    if (std::isnan(p))
        return {};
    if (!(std::fabs(p) <= steepestSloped)) {
        const float ps = -a;
        return Line::steep(ps, mx - ps * my);
    }
    return Line::sloped(p, my - p * mx);
}

Bisector clip(const Line& line, float W, float H)
{
    Bisector s;
    s.line = line;
    const float p = s.line.p;
    const float b = s.line.b;
    switch (s.line.kind) {
    case Line::Kind::None: break;
    case Line::Kind::Steep:
        s.x1 = b;
        s.y1 = 0;
        s.x2 = b + p * H;
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

std::optional<Point> crossing(const Line& l, const Line& m)
{
    using K = Line::Kind;
    if (l.kind != K::Sloped || m.kind == K::None)
        return std::nullopt;
    float x = 0;
    if (m.kind == K::Steep) {
        const float A = -m.p;
        x = (m.b - A * l.b) / (1 + A * l.p);
    } else {
        x = (m.b - l.b) / (l.p - m.p);
    }
    const float y = l.b + x * l.p;
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return Point{x, y};
}
