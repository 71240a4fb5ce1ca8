#include "tests/support/oracle.h"

#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_exact_constructions_kernel.h>
#include <CGAL/intersections.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

namespace {

using K = CGAL::Exact_predicates_exact_constructions_kernel;
using DT = CGAL::Delaunay_triangulation_2<K>;

// CGAL 5 answers an intersection with a boost::variant, CGAL 6 with a std::variant.
template <class Variant>
const K::Segment_2* segmentIn(const Variant& v)
{
    if constexpr (requires { std::get_if<K::Segment_2>(&v); })
        return std::get_if<K::Segment_2>(&v);
    else
        return boost::get<K::Segment_2>(&v);
}

template <class Obj>
void addClipped(const Obj& obj, const K::Iso_rectangle_2& box, std::vector<Segment>& out)
{
    const auto cut = CGAL::intersection(box, obj);
    if (!cut)
        return;
    if (const K::Segment_2* s = segmentIn(*cut)) {
        out.push_back({CGAL::to_double(s->source().x()), CGAL::to_double(s->source().y()),
                       CGAL::to_double(s->target().x()), CGAL::to_double(s->target().y())});
    }
}

double distanceToSegment(double px, double py, const Segment& s)
{
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - s.x1) * dx + (py - s.y1) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (s.x1 + t * dx), py - (s.y1 + t * dy));
}

// Finds the segments near a point quickly: each segment is filed in every
// grid cell that a point within reach of it can fall in.
class SegmentIndex {
public:
    SegmentIndex(const std::vector<Segment>& segs, double W, double H, double reach)
        : segs_(segs), cols_(static_cast<int>(W / cell) + 3), rows_(static_cast<int>(H / cell) + 3),
          cells_(static_cast<std::size_t>(cols_ * rows_))
    {
        const double step = cell / 2;
        const double r = reach + step / 2;
        for (int id = 0; id < static_cast<int>(segs.size()); ++id) {
            const Segment& s = segs[id];
            const double len = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
            const int n = static_cast<int>(std::ceil(len / step));
            for (int k = 0; k <= n; ++k) {
                const double t = n ? static_cast<double>(k) / n : 0;
                const double x = s.x1 + t * (s.x2 - s.x1), y = s.y1 + t * (s.y2 - s.y1);
                for (int cy = cellOf(y - r); cy <= cellOf(y + r); ++cy)
                    for (int cx = cellOf(x - r); cx <= cellOf(x + r); ++cx)
                        file(cx, cy, id);
            }
        }
    }

    double nearest(double x, double y) const
    {
        double best = std::numeric_limits<double>::infinity();
        const int cx = cellOf(x), cy = cellOf(y);
        if (cx < 0 || cy < 0 || cx >= cols_ || cy >= rows_)
            return best;
        for (int id : cells_[cellIndex(cx, cy)])
            best = std::min(best, distanceToSegment(x, y, segs_[id]));
        return best;
    }

private:
    static constexpr double cell = 8;
    int cellOf(double v) const { return static_cast<int>(std::floor(v / cell)) + 1; }
    std::size_t cellIndex(int cx, int cy) const
    {
        return static_cast<std::size_t>(cy) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(cx);
    }
    void file(int cx, int cy, int id)
    {
        if (cx < 0 || cy < 0 || cx >= cols_ || cy >= rows_)
            return;
        auto& c = cells_[cellIndex(cx, cy)];
        if (c.empty() || c.back() != id)
            c.push_back(id);
    }

    const std::vector<Segment>& segs_;
    int cols_, rows_;
    std::vector<std::vector<int>> cells_;
};

// Samples every segment of `from` each half pixel and counts the points that
// lie farther than tol from every segment of `to`.
void farPoints(const std::vector<Segment>& from, const SegmentIndex& to, double tol, int& count, double& worst)
{
    for (const Segment& s : from) {
        const double len = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
        const int n = std::max(1, static_cast<int>(std::ceil(len / 0.5)));
        for (int k = 0; k <= n; ++k) {
            const double t = static_cast<double>(k) / n;
            const double d = to.nearest(s.x1 + t * (s.x2 - s.x1), s.y1 + t * (s.y2 - s.y1));
            if (d > tol) {
                ++count;
                worst = std::max(worst, d);
            }
        }
    }
}

}  // namespace

std::vector<Segment> exactDiagram(const Sites& sites, double W, double H)
{
    DT dt;
    for (int n = 0; n < sites.N; ++n)
        dt.insert(K::Point_2(sites.X[n], sites.Y[n]));
    const K::Iso_rectangle_2 box(K::Point_2(0, 0), K::Point_2(W, H));
    std::vector<Segment> out;
    if (dt.dimension() < 1)
        return out;
    for (auto e = dt.finite_edges_begin(); e != dt.finite_edges_end(); ++e) {
        const CGAL::Object dual = dt.dual(*e);
        if (const auto* s = CGAL::object_cast<K::Segment_2>(&dual)) {
            if (!s->is_degenerate())
                addClipped(*s, box, out);
        } else if (const auto* r = CGAL::object_cast<K::Ray_2>(&dual)) {
            addClipped(*r, box, out);
        } else if (const auto* l = CGAL::object_cast<K::Line_2>(&dual)) {
            addClipped(*l, box, out);
        }
    }
    return out;
}

// Each line drawn, cut exactly to the canvas as the true edges are; a line
// that leaves no stretch of it there (a point, or nothing) is not seen, nor
// is a line to its own start or one with an end at infinity or NaN, which
// no canvas draws.
std::vector<Segment> drawnEdges(const RecordingSurface& s, double W, double H)
{
    const K::Iso_rectangle_2 box(K::Point_2(0, 0), K::Point_2(W, H));
    std::vector<Segment> out;
    bool pumped = false;
    for (const auto& op : s.ops()) {
        pumped = pumped || op.kind == RecordingSurface::Kind::Pump;
        if (!pumped || op.kind != RecordingSurface::Kind::Line)
            continue;
        const bool point = op.x1 == op.x2 && op.y1 == op.y2;
        if (!point && std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) && std::isfinite(op.y2))
            addClipped(K::Segment_2(K::Point_2(op.x1, op.y1), K::Point_2(op.x2, op.y2)), box, out);
    }
    return out;
}

Comparison compareDiagrams(const std::vector<Segment>& drawn, const std::vector<Segment>& truth, double W, double H,
                           double tol)
{
    Comparison c;
    farPoints(drawn, SegmentIndex(truth, W, H, tol), tol, c.stray, c.worstStray);
    farPoints(truth, SegmentIndex(drawn, W, H, tol), tol, c.uncovered, c.worstUncovered);
    return c;
}

Comparison drawnAgainstExact(Sites sites, float W, float H)
{
    const std::vector<Segment> truth = exactDiagram(sites, W, H);
    RecordingSurface s(W, H);
    drawEdges(s, sites);
    return compareDiagrams(drawnEdges(s, W, H), truth, W, H);
}

std::string described(const Comparison& c)
{
    return std::to_string(c.stray) + " stray points (worst " + std::to_string(c.worstStray) + " px), " +
           std::to_string(c.uncovered) + " uncovered (worst " + std::to_string(c.worstUncovered) + " px)";
}
