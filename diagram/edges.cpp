#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "diagram/bisector.h"
#include "diagram/crossing_list.h"
#include "diagram/margins.h"
#include "diagram/passes.h"
#include "diagram/run.h"
#include "diagram/seen_from.h"
#include "diagram/witnesses.h"
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

// The pair at hand, in the frame it is worked out in: the sites as the window
// has them, or with x and y exchanged.
struct Pair {
    const float* X = nullptr;
    const float* Y = nullptr;
    const SeenFrom* from = nullptr;
    bool exchanged = false;
    int i = 0, j = 0;
    float xi = 0, yi = 0;
    Bisector bis;
    double dij = 0;
    float dxj = 0, dyj = 0;
};

// The sites that decided last time, tried first next time.
struct Hints {
    explicit Hints(std::size_t n) : hider(n, noSite) {}
    std::vector<int> hider;  // per i, the site that last hid one of its pairs
    int rejecter = noSite;
    int below = noSite, above = noSite;  // the witnesses that last proved a pair empty
};

class EdgeSearch {
public:
    EdgeSearch(Surface& s, const Sites& sites)
        : s_(s), sites_(sites), same_(sites.X.data(), sites.Y.data(), sites.N), views_(size()), scratch_(size()),
          hints_(size())
    {
    }

    bool run()
    {
        for (int i = 0; i < sites_.N - 1; ++i) {
            views_.level.see(sites_.X.data(), sites_.Y.data(), sites_.N, i, views_.cell);
            views_.exchangedFor = noSite;
            pair_.i = i;
            for (int j = i + 1; j < sites_.N; ++j) {
                if (!s_.pump())
                    return false;
                drawPair(j);
            }
        }
        return true;
    }

private:
    std::size_t size() const { return static_cast<std::size_t>(sites_.N); }
    const SeenFrom& from() const { return *pair_.from; }
    bool ofPair(int k) const { return same_.ofPair(k, pair_.i, pair_.j); }
    PairView view() const { return {from(), same_, pair_.bis, pair_.i, pair_.j, pair_.xi, pair_.yi}; }

    // The edge of sites i and j: none when hidden or certainly empty; else
    // the stretches of the crossing list along the line that pass.
    void drawPair(int j)
    {
        pair_.j = j;
        const Line& line = views_.level.line[j];
        if (line.kind == Line::Kind::None)
            return;  // coincident sites share one cell: there is no edge
        const float W = s_.outerWidth() / twipsPerPixel;
        const float H = s_.outerHeight() / twipsPerPixel;
        enterFrame(line.kind == Line::Kind::Steep, W, H);
        if (hiddenAtOnce() || certainlyEmpty(view(), sites_.N, hints_.below, hints_.above))
            return;
        if (!collectCrossings())
            return;
        if (drawNearIsPart())
            return;
        sorter_.sortByX(list_);
        for (int s = 0; s + 1 < list_.count; ++s)
            drawStretch(s, s + 1);
    }

    // Takes the pair in the window's frame, or in the one with x and y
    // exchanged: its bisector clipped to the canvas, and j as i sees it.
    void enterFrame(bool exchanged, float W, float H)
    {
        const float* X = sites_.X.data();
        const float* Y = sites_.Y.data();
        if (exchanged && views_.exchangedFor != pair_.i) {
            views_.exchanged.mirror(views_.level, X, Y, sites_.N, pair_.i);
            views_.exchangedFor = pair_.i;
        }
        pair_.X = exchanged ? Y : X;
        pair_.Y = exchanged ? X : Y;
        pair_.from = exchanged ? &views_.exchanged : &views_.level;
        pair_.exchanged = exchanged;
        pair_.xi = pair_.X[pair_.i];
        pair_.yi = pair_.Y[pair_.i];
        pair_.bis = exchanged ? clip(from().line[pair_.j], H, W) : clip(from().line[pair_.j], W, H);
        pair_.dij = from().d[pair_.j];
        pair_.dxj = from().dx[pair_.j];
        pair_.dyj = from().dy[pair_.j];
    }

    // The hiding and crossing rules for one third site k, as the full pass
    // would give them (see applyRules).
    struct Verdict {
        bool hide, record;
    };
    Verdict rules(int k) const
    {
        const Line& l = from().line[k];
        const Bisector& bis = pair_.bis;
        const float e = l.offset(bis.x1, bis.y1) * l.offset(bis.x2, bis.y2);
        const bool sameQuadrant = from().dx[k] * pair_.dxj > 0 && from().dy[k] * pair_.dyj > 0;
        const bool hide = sameQuadrant && pair_.dij > from().d[k] && e > 0;
        const bool record = (!sameQuadrant || pair_.dij < from().d[k] || e < 0) && (e < 0 || pair_.dij > from().d[k]);
        return {hide, record};
    }

    // Whether the site that last hid one of i's pairs, or one of the sites
    // that bound i's cell, hides this one.
    bool hiddenAtOnce()
    {
        int& hider = hints_.hider[pair_.i];
        if (hider != noSite && !ofPair(hider) && rules(hider).hide)
            return true;
        for (int k : from().neighbours) {
            if (!ofPair(k) && rules(k).hide) {
                hider = k;
                return true;
            }
        }
        return false;
    }

    // The crossing list: the first end, the points where the bisectors of i
    // with the third sites cross the pair's bisector in the order of k, the
    // second end. False, with the hiding site noted, when a third site hides
    // the whole clipped line.
    bool collectCrossings()
    {
        const int N = sites_.N;
        const Bisector& bis = pair_.bis;
        compareDistances(N, from().d.data(), pair_.dij, scratch_.cmp.data());
        bool anyHides = false;
        if (finite(bis.x1, bis.y1, bis.x2, bis.y2)) {
            anyHides = applyRules(N, from(), scratch_.cmp.data(), bis, pair_.dxj, pair_.dyj, scratch_.hides.data(),
                                  scratch_.records.data());
        } else {
            // Ends off at infinity: the steep lines' reading A y would not be
            // their offset there, so take each line as it is.
            for (int k = 0; k < N; ++k) {
                const Verdict v = rules(k);
                scratch_.hides[k] = v.hide;
                scratch_.records[k] = v.record;
                anyHides = anyHides || v.hide;
            }
        }
        if (anyHides) {
            for (int k = 0; k < N; ++k) {
                if (scratch_.hides[k] && !ofPair(k)) {
                    hints_.hider[pair_.i] = k;
                    return false;
                }
            }
        }
        list_.count = 0;
        list_.append(bis.x1, bis.y1, noSite);
        crossingsWith(N, from(), bis.line.p, bis.line.b, scratch_.crossX.data(), scratch_.crossY.data());
        for (int k = 0; k < N; ++k) {
            const float x = scratch_.crossX[k], y = scratch_.crossY[k];
            if (scratch_.records[k] && !ofPair(k) && std::isfinite(x) && std::isfinite(y))
                list_.append(x, y, k);
        }
        list_.append(bis.x2, bis.y2, noSite);
        return true;
    }

    // Tests only the stretches near i's part of the line, where the pair's
    // witnesses allow it; false, with nothing drawn, where they do not.
    bool drawNearIsPart()
    {
        int a = noSite, b = noSite;
        findWitnesses(view(), a, b);
        Proof pr;
        if (!proveBy(view(), a, b, pr))
            return false;
        const int n = nearPart(pr, list_, nearOrder_.data());
        if (n < 0)
            return false;
        for (int k = 0; k + 1 < n; ++k)
            drawStretch(nearOrder_[k], nearOrder_[k + 1]);
        return true;
    }

    // Tests the stretch from entry s to entry t of the list, its neighbour
    // along the line, and draws it when it passes.
    void drawStretch(int s, int t)
    {
        const float mx = (list_.XS[s] + list_.XS[t]) / 2;
        const float my = pair_.bis.line.b + mx * pair_.bis.line.p;
        if (rejected(mx, my, list_.by[s], list_.by[t]) || !finite(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]))
            return;
        if (pair_.exchanged)
            s_.line(list_.YS[s], list_.XS[s], list_.YS[t], list_.XS[t]);
        else
            s_.line(list_.XS[s], list_.YS[s], list_.XS[t], list_.YS[t]);
    }

    // Is site m strictly nearer to (mx, my) than site i is? The squares,
    // rounded as dist rounds them, settle every m that is not nearer; only a
    // smaller square needs the roots, which may still tie.
    bool nearer(int m, float mx, float my, double di2, double di) const
    {
        return dist2(mx, my, pair_.X[m], pair_.Y[m]) < di2 && dist(mx, my, pair_.X[m], pair_.Y[m]) < di;
    }

    // A stretch is rejected when some third site is strictly nearer to its
    // midpoint than site i. The sites whose bisectors bound the stretch, and
    // the site that rejected last, are the likeliest: they go first.
    bool rejected(float mx, float my, int left, int right)
    {
        const double di2 = dist2(mx, my, pair_.xi, pair_.yi);
        const double di = std::sqrt(di2);
        auto rejects = [&](int m) {
            if (ofPair(m) || !nearer(m, mx, my, di2, di))
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
        if (di * margin::rejectReachFactor <= from().closeReach) {
            for (int m : from().close) {
                if (rejects(m))
                    return true;
            }
            return false;
        }
        for (int m = 0; m < sites_.N; ++m) {
            if (rejects(m))
                return true;
        }
        return false;
    }

    Surface& s_;
    const Sites& sites_;
    SameSites same_;
    Views views_;
    Pair pair_;
    PassResults scratch_;
    Hints hints_;
    CrossingList list_;
    ListSorter sorter_;
    std::array<int, CrossingList::capacity> nearOrder_{};
};

}  // namespace

bool drawEdges(Surface& s, Sites& sites)
{
    hSort(sites.N, std::span<double>(sites.D), std::span<float>(sites.X), std::span<float>(sites.Y));
    EdgeSearch search(s, sites);
    return search.run();
}
