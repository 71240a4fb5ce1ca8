#include <gtest/gtest.h>

#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_exact_constructions_kernel.h>

#include <algorithm>
#include <random>
#include <vector>

#include "diagram/search/cell.h"

// A site's cell, cut out half-plane by half-plane, against the exact one: the
// sites that bound it are its Delaunay neighbours, and its farthest corner is
// the farthest of its exact corners.

namespace {

using K = CGAL::Exact_predicates_exact_constructions_kernel;
using DT = CGAL::Delaunay_triangulation_2<K>;

struct Offsets {
    std::vector<double> ux, uy, uu;
};

Offsets offsetsFrom(const std::vector<K::Point_2>& pts, int i)
{
    Offsets o;
    for (const auto& p : pts) {
        o.ux.push_back(CGAL::to_double(p.x() - pts[i].x()));
        o.uy.push_back(CGAL::to_double(p.y() - pts[i].y()));
        o.uu.push_back(o.ux.back() * o.ux.back() + o.uy.back() * o.uy.back());
    }
    return o;
}

}  // namespace

TEST(CellOfI, BoundedByItsDelaunayNeighboursAndReachingItsFarthestCorner)
{
    std::mt19937 gen(11);
    std::uniform_real_distribution<float> ux(0, 788), uy(0, 565);
    for (int round = 0; round < 30; ++round) {
        std::vector<K::Point_2> pts;
        pts.reserve(50);
        for (int k = 0; k < 50; ++k)
            pts.emplace_back(ux(gen), uy(gen));
        DT dt(pts.begin(), pts.end());
        for (int i = 0; i < static_cast<int>(pts.size()); ++i) {
            const Offsets o = offsetsFrom(pts, i);
            CellOfI cell;
            const double reach = cell.build(o.ux, o.uy, o.uu);
            std::vector<int> neighbours = cell.neighbours();

            std::vector<int> exact;
            double farthest = 0;
            bool bounded = true;
            const DT::Vertex_handle v = dt.nearest_vertex(pts[i]);
            auto face = dt.incident_faces(v), firstFace = face;
            do {
                if (dt.is_infinite(face)) {
                    bounded = false;
                } else {
                    const K::Point_2 c = dt.circumcenter(face);
                    farthest = std::max(farthest, std::sqrt(CGAL::to_double(CGAL::squared_distance(c, pts[i]))));
                }
            } while (++face != firstFace);
            auto vc = dt.incident_vertices(v), firstVertex = vc;
            do {
                if (!dt.is_infinite(vc))
                    exact.push_back(static_cast<int>(std::find(pts.begin(), pts.end(), vc->point()) - pts.begin()));
            } while (++vc != firstVertex);

            std::sort(neighbours.begin(), neighbours.end());
            std::sort(exact.begin(), exact.end());
            ASSERT_EQ(neighbours, exact) << "round " << round << ", site " << i;
            if (bounded)
                EXPECT_NEAR(reach, farthest, 1e-6 * farthest) << "round " << round << ", site " << i;
            else
                EXPECT_GT(reach, 1e8) << "an open cell reaches the far square";
        }
    }
}
