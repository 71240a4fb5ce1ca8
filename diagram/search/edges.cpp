#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "diagram/bisector.h"
#include "diagram/run.h"
#include "diagram/search/crossing_list.h"
#include "diagram/search/margins.h"
#include "diagram/search/pair.h"
#include "diagram/search/passes.h"
#include "diagram/search/seen_from.h"
#include "diagram/search/witnesses.h"
#include "numeric/dist.h"
#include "numeric/hsort.h"

// For each pair (i, j): the pair's bisector, clipped to the canvas; the points
// where the bisectors of i with the third sites k cross it; then every stretch
// between neighbouring points whose midpoint no third site is strictly nearer
// to is a piece of the edge, and is drawn. A pair whose bisector is steep
// (see Line) is worked out with x and y exchanged, and drawn back.
//
// Arranged for speed, it draws exactly what a plain scan in index order
// draws, to the last bit: site i's bisectors and distances are worked out
// once per i (SeenFrom); the rules go over every third site in one pass
// (passes.h); the likeliest hiding and rejecting sites are tried first, since
// which one hides or rejects does not matter; pairs certainly empty are left
// out and only stretches near i's part of the line are tested (witnesses.h);
// a list without equal keys may be sorted any way (ListSorter).

namespace {

// The sites that decided last time, tried first next time.
struct Hints {
    explicit Hints(std::size_t n) : hider(n, noSite) {}
    std::vector<int> hider;  // per i, the site that last hid one of its pairs
    int rejecter = noSite;
    Witnesses empty;  // the witnesses last tried on an empty pair
};

class EdgeSearch {
public:
    EdgeSearch(Host& host, Drawing& drawing, const Sites& sites)
        : host_(host), drawing_(drawing), X_(sites.X.data(), size(sites)), Y_(sites.Y.data(), size(sites)),
          same_(X_, Y_), views_(X_.size()), scratch_(X_.size()), hints_(X_.size())
    {
    }

    bool run()
    {
        for (int i = 0; i < N() - 1; ++i) {
            views_.level.see(X_, Y_, i, views_.cell);
            views_.exchangedFor = noSite;
            for (int j = i + 1; j < N(); ++j) {
                if (!host_.pump())
                    return false;
                drawPair(i, j);
            }
        }
        return true;
    }

private:
    static std::size_t size(const Sites& sites) { return static_cast<std::size_t>(sites.N); }
    int N() const { return static_cast<int>(X_.size()); }

    // The edge of sites i and j, step by step: the stretches of the crossing
    // list along the line that pass are drawn, unless a step shows at once
    // that none can.
    void drawPair(int i, int j)
    {
        const Line& line = views_.level.line[j];
        if (line.kind == Line::Kind::None)
            return;  // the sites share one place and so one cell: no edge
        const Pair pair = enter(i, j, line.kind == Line::Kind::Steep);
        if (hiddenAtOnce(pair) || certainlyEmpty(pair, N(), hints_.empty) || hiddenByAny(pair))
            return;  // a third site hides the whole line, or no stretch can pass
        collectCrossings(pair);
        if (const std::optional<std::span<const int>> near = nearStretches(pair)) {
            // only the stretches near i's part of the line can pass
            for (std::size_t k = 0; k + 1 < near->size(); ++k)
                drawStretch(pair, (*near)[k], (*near)[k + 1]);
            return;
        }
        sorter_.sortByX(list_);
        for (int s = 0; s + 1 < list_.count; ++s)
            drawStretch(pair, s, s + 1);
    }

    // The pair in the window's frame, or in the one with x and y exchanged:
    // its bisector clipped to the canvas, and j as i sees it.
    Pair enter(int i, int j, bool exchanged)
    {
        const float W = host_.outerWidth() / twipsPerPixel;
        const float H = host_.outerHeight() / twipsPerPixel;
        if (exchanged && views_.exchangedFor != i) {
            views_.exchanged.mirror(views_.level, X_, Y_, i);
            views_.exchangedFor = i;
        }
        const SeenFrom& from = exchanged ? views_.exchanged : views_.level;
        const std::span<const float> X = exchanged ? Y_ : X_;
        const std::span<const float> Y = exchanged ? X_ : Y_;
        return Pair{.X = X,
                    .Y = Y,
                    .from = from,
                    .same = same_,
                    .exchanged = exchanged,
                    .i = i,
                    .j = j,
                    .xi = X[i],
                    .yi = Y[i],
                    .bis = exchanged ? clip(from.line[j], H, W) : clip(from.line[j], W, H),
                    .dij = from.d[j],
                    .dxj = from.dx[j],
                    .dyj = from.dy[j]};
    }

    // The hiding and crossing rules for one third site k, each line taken
    // as it is.
    static Verdict rules(const Pair& pair, int k)
    {
        const SeenFrom& f = pair.from;
        const Line& l = f.line[k];
        const float e = l.offset(pair.bis.x1, pair.bis.y1) * l.offset(pair.bis.x2, pair.bis.y2);
        const bool sameQuadrant = f.dx[k] * pair.dxj > 0 && f.dy[k] * pair.dyj > 0;
        return rulesFor(sameQuadrant, (pair.dij > f.d[k]) - (pair.dij < f.d[k]), e);
    }

    // Whether the site that last hid one of i's pairs, or one of the sites
    // that bound i's cell, hides this one.
    bool hiddenAtOnce(const Pair& pair)
    {
        int& hider = hints_.hider[pair.i];
        if (hider != noSite && !pair.ofPair(hider) && rules(pair, hider).hide)
            return true;
        for (int k : pair.from.neighbours) {
            if (!pair.ofPair(k) && rules(pair, k).hide) {
                hider = k;
                return true;
            }
        }
        return false;
    }

    // The rules for every third site; true, with the hiding site noted, when
    // one hides the whole clipped line.
    bool hiddenByAny(const Pair& pair)
    {
        const Bisector& bis = pair.bis;
        compareDistances(N(), pair.from.d.data(), pair.dij, scratch_.cmp.data());
        bool anyHides = false;
        if (finite(bis.x1, bis.y1, bis.x2, bis.y2)) {
            anyHides = applyRules(N(), pair.from, scratch_.cmp.data(), bis, pair.dxj, pair.dyj, scratch_.hides.data(),
                                  scratch_.records.data());
        } else {
            // Ends off at infinity: the steep lines' reading A y would not be
            // their offset there, so take each line as it is.
            for (int k = 0; k < N(); ++k) {
                const Verdict v = rules(pair, k);
                scratch_.hides[k] = v.hide;
                scratch_.records[k] = v.record;
                anyHides = anyHides || v.hide;
            }
        }
        for (int k = 0; anyHides && k < N(); ++k) {
            if (scratch_.hides[k] && !pair.ofPair(k)) {
                hints_.hider[pair.i] = k;
                return true;
            }
        }
        return false;
    }

    // The crossing list: the first end, the points where the bisectors of i
    // with the third sites the rules record cross the pair's bisector, in the
    // order of k, the second end.
    void collectCrossings(const Pair& pair)
    {
        const Bisector& bis = pair.bis;
        list_.count = 0;
        list_.append(bis.x1, bis.y1, noSite);
        crossingsWith(N(), pair.from, bis.line.p, bis.line.b, scratch_.crossX.data(), scratch_.crossY.data());
        for (int k = 0; k < N(); ++k) {
            const float x = scratch_.crossX[k], y = scratch_.crossY[k];
            if (scratch_.records[k] && !pair.ofPair(k) && std::isfinite(x) && std::isfinite(y))
                list_.append(x, y, k);
        }
        list_.append(bis.x2, bis.y2, noSite);
    }

    // The list's entries near i's part of the line, in order along it, where
    // the pair's witnesses prove that only those can pass; none otherwise.
    std::optional<std::span<const int>> nearStretches(const Pair& pair)
    {
        const std::optional<Proof> proof = proveBy(pair, findWitnesses(pair));
        if (!proof)
            return std::nullopt;
        return nearPart(*proof, list_, nearOrder_);
    }

    // Tests the stretch from entry s to entry t of the list, its neighbour
    // along the line, and draws it when it passes.
    void drawStretch(const Pair& pair, int s, int t)
    {
        const float mx = (list_.XS[s] + list_.XS[t]) / 2;
        const float my = pair.bis.line.b + mx * pair.bis.line.p;
        if (rejected(pair, mx, my, list_.by[s], list_.by[t]) ||
            !finite(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]))
            return;
        if (pair.exchanged)
            drawing_.line(list_.YS[s], list_.XS[s], list_.YS[t], list_.XS[t]);
        else
            drawing_.line(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]);
    }

    // Is site m strictly nearer to (mx, my) than site i is? The squares,
    // rounded as dist rounds them, settle every m that is not nearer; only a
    // smaller square needs the roots, which may still tie.
    static bool nearer(const Pair& pair, int m, float mx, float my, double di2, double di)
    {
        return dist2(mx, my, pair.X[m], pair.Y[m]) < di2 && dist(mx, my, pair.X[m], pair.Y[m]) < di;
    }

    // A stretch is rejected when some third site is strictly nearer to its
    // midpoint than site i. The sites whose bisectors bound the stretch, and
    // the site that rejected last, are the likeliest: they go first.
    bool rejected(const Pair& pair, float mx, float my, int left, int right)
    {
        const double di2 = dist2(mx, my, pair.xi, pair.yi);
        const double di = std::sqrt(di2);
        auto rejects = [&](int m) {
            if (pair.ofPair(m) || !nearer(pair, m, mx, my, di2, di))
                return false;
            hints_.rejecter = m;
            return true;
        };
        for (int m : {left, right, hints_.rejecter}) {
            if (m != noSite && rejects(m))
                return true;
        }
        // A site m can be nearer than i only when |m - i| < 2 di; when that
        // lies well within the close sites' reach, no other site can.
        if (di * margin::rejectReachFactor <= pair.from.closeReach) {
            for (int m : pair.from.close) {
                if (rejects(m))
                    return true;
            }
            return false;
        }
        for (int m = 0; m < N(); ++m) {
            if (rejects(m))
                return true;
        }
        return false;
    }

    Host& host_;
    Drawing& drawing_;
    std::span<const float> X_, Y_;  // the sites, as the window has them
    SameSites same_;
    Views views_;
    PassResults scratch_;
    Hints hints_;
    CrossingList list_;
    ListSorter sorter_;
    std::array<int, CrossingList::capacity> nearOrder_{};
};

}  // namespace

bool drawEdges(Host& host, Drawing& drawing, Sites& sites)
{
    hSort(sites.N, std::span<double>(sites.D), std::span<float>(sites.X), std::span<float>(sites.Y));
    EdgeSearch search(host, drawing, sites);
    return search.run();
}
