// The clipper's integer shortcuts against the parametric clipper they stand
// in for. Edges and poly-lines are drawn at random, with their ends where the
// shortcuts have to be exact: on the clip rectangle's sides and one unit to
// either side of them, on its corners, at the ends of the 32-bit range, and
// repeated. Every result must be the parametric clipper's, point for point.
#include "plot/edge_clipper.h"

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using vexl::ClipEdgeMode;
using vexl::PointList;

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// splitmix64: fixed seeds, so a failure can be run again.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // From 0 to n - 1.
    uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() % n); }
    int32_t any() { return static_cast<int32_t>(static_cast<uint32_t>(next())); }

  private:
    uint64_t state_;
};

int32_t clamped(int64_t value) {
    return value < kMin ? kMin : value > kMax ? kMax : static_cast<int32_t>(value);
}

// A coordinate on an axis clipped to low .. high (not necessarily in order).
int32_t coordinate(Random &random, int32_t low, int32_t high) {
    const int64_t lo = low, hi = high;
    const int64_t span = hi > lo ? hi - lo : lo - hi;
    switch (random.below(12)) {
        case 0:
            return low;
        case 1:
            return high;
        case 2:
            return clamped(lo - 1 - random.below(3));
        case 3:
            return clamped(hi + 1 + random.below(3));
        case 4:
            return clamped(lo + 1);
        case 5:
            return clamped(hi - 1);
        case 6:
            return random.below(2) == 0 ? kMin : kMax;
        case 7:
            return random.any();
        case 8:
            return clamped(lo - static_cast<int64_t>(random.below(1000)) * (span + 1));
        case 9:
            return clamped(hi + static_cast<int64_t>(random.below(1000)) * (span + 1));
        default: // within, or near, the range
            return clamped((lo < hi ? lo : hi) - 2 +
                           static_cast<int64_t>(random.next() % (span + 5)));
    }
}

WorldPointS point(Random &random, const int32_t clip[4]) {
    return {coordinate(random, clip[0], clip[2]), coordinate(random, clip[1], clip[3])};
}

// A point on the line from p through a corner of clip, before or beyond
// the corner: where the edge crosses both sides at the same parameter, and
// rounding decides which side's formula gives the crossing point.
WorldPointS through_a_corner(Random &random, const int32_t clip[4], const WorldPointS &p) {
    const int64_t cx = clip[random.below(2) == 0 ? 0 : 2];
    const int64_t cy = clip[random.below(2) == 0 ? 1 : 3];
    // Whole multiples keep the point on the line exactly.
    const int64_t num = 1 + random.below(64), den = random.below(2) == 0 ? 1 : 1 + random.below(7);
    return {clamped(p.x + (cx - p.x) * num / den), clamped(p.y + (cy - p.y) * num / den)};
}

// The clip rectangles: ordinary, thin, a single point, reversed, the whole
// 32-bit plane, and ones against its ends; a random one is added per round.
std::vector<std::vector<int32_t>> fixed_clips() {
    // Sides one unit from zero, where the last bits of a computed crossing
    // survive the addition and decide the truncation.
    return {{-100, -100, 100, 100},   {1, 1, 1000, 1000},
            {-1000, -1000, -1, -1},   {25000, 25000, 75000, 75000},
            {-50, 10, -50, 90},       {7, 7, 7, 7},
            {100, 100, -100, -100},   {100, -100, -100, 100},
            {kMin, kMin, kMax, kMax}, {kMax - 10, kMin, kMax, kMin + 10},
            {kMin, -3, kMin + 1, 3}};
}

std::vector<int32_t> random_clip(Random &random) {
    int32_t c[4];
    for (int32_t &v : c)
        v = random.below(4) == 0 ? random.any() : static_cast<int32_t>(random.below(2001)) - 1000;
    if (random.below(8) != 0) { // mostly in order
        if (c[0] > c[2])
            std::swap(c[0], c[2]);
        if (c[1] > c[3])
            std::swap(c[1], c[3]);
    }
    return {c[0], c[1], c[2], c[3]};
}

std::string text(const PointList &list) {
    std::ostringstream out;
    for (int32_t i = 0; i < list.size(); ++i)
        out << " (" << list[i].x << "," << list[i].y << ")";
    return out.str();
}

bool same_points(const PointList &a, const PointList &b) {
    if (a.size() != b.size())
        return false;
    for (int32_t i = 0; i < a.size(); ++i) {
        if (!PointList::same(a[i], b[i]))
            return false;
    }
    return true;
}

std::string text(const int32_t clip[4], const std::vector<WorldPointS> &points) {
    std::ostringstream out;
    out << "clip " << clip[0] << "," << clip[1] << "," << clip[2] << "," << clip[3] << " points";
    for (const WorldPointS &p : points)
        out << " (" << p.x << "," << p.y << ")";
    return out.str();
}

TEST(ClippingAgreement, EdgesGiveWhatTheParametricClipperGives) {
    Random random(17);
    std::vector<std::vector<int32_t>> clips = fixed_clips();
    PointList fast, general;
    long edges = 0;
    for (int round = 0; round < 340; ++round) {
        clips.push_back(random_clip(random));
        for (const std::vector<int32_t> &clip_values : clips) {
            const int32_t *clip = clip_values.data();
            for (int k = 0; k < 250; ++k, ++edges) {
                const WorldPointS p0 = point(random, clip);
                const uint32_t kind = random.below(16);
                const WorldPointS p1 = kind == 0   ? p0
                                       : kind <= 3 ? through_a_corner(random, clip, p0)
                                                   : point(random, clip);
                const ClipEdgeMode mode =
                    random.below(2) == 0 ? ClipEdgeMode::Line : ClipEdgeMode::Polygon;
                // The list may end where the edge starts (a repeat to skip in
                // polygon mode), elsewhere, or be empty.
                fast.clear();
                general.clear();
                const uint32_t before = random.below(3);
                if (before != 0) {
                    const WorldPointS last = before == 1 ? p0 : point(random, clip);
                    fast.append(last);
                    general.append(last);
                }
                const bool fast_result = vexl::clip_edge(clip, p0, p1, fast, mode);
                const bool general_result = vexl::clip_edge_parametric(clip, p0, p1, general, mode);
                ASSERT_TRUE(same_points(fast, general))
                    << text(fast) << " instead of" << text(general) << " for "
                    << text(clip, {p0, p1})
                    << (mode == ClipEdgeMode::Line ? " line mode" : " polygon mode");
                ASSERT_EQ(fast_result, general_result) << text(clip, {p0, p1});
            }
        }
        clips.pop_back();
    }
    EXPECT_GE(edges, 1000000);
}

// The runs drawn, one after another: each as its point count, then its
// coordinates. Flat, so that comparing a million edges' worth stays quick.
using Runs = std::vector<int64_t>;

void add_run(Runs &runs, const WorldPointS *points, std::size_t count) {
    runs.push_back(static_cast<int64_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        runs.push_back(points[i].x);
        runs.push_back(points[i].y);
    }
}

// A poly-line clipped edge by edge with the parametric clipper: each piece
// either continues the run (it starts where the run ends) or starts a new
// one, and a run ends where a piece ends short of its edge.
Runs runs_edge_by_edge(const int32_t clip[4], const std::vector<WorldPointS> &points) {
    Runs runs;
    PointList run;
    const auto draw = [&](std::size_t count) {
        if (count > 0)
            add_run(runs, run.data(), count);
    };
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const std::size_t before = static_cast<std::size_t>(run.size());
        vexl::clip_edge_parametric(clip, points[i], points[i + 1], run, ClipEdgeMode::Line);
        if (static_cast<std::size_t>(run.size()) == before) {
            draw(before);
            run.clear();
            continue;
        }
        if (before > 0) {
            if (PointList::same(run[before - 1], run[before])) {
                const WorldPointS exit = run.back();
                run.remove_last();
                run.remove_last();
                run.append(exit, true);
            } else {
                draw(before);
                run.keep_last(2);
            }
        }
        if (!PointList::same(run.back(), points[i + 1])) {
            draw(static_cast<std::size_t>(run.size()));
            run.clear();
        }
    }
    draw(static_cast<std::size_t>(run.size()));
    return runs;
}

Runs runs_of_clip_polyline(const int32_t clip[4], const std::vector<WorldPointS> &points,
                           PointList &run) {
    Runs runs;
    const bool ok = vexl::clip_polyline(clip, points.data(), static_cast<int32_t>(points.size()),
                                        run, [&](const WorldPointS *p, int32_t count) {
                                            add_run(runs, p, static_cast<std::size_t>(count));
                                        });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(run.empty()) << "the working list is left empty";
    return runs;
}

TEST(ClippingAgreement, PolylinesGiveWhatEdgeByEdgeClippingGives) {
    Random random(33);
    std::vector<std::vector<int32_t>> clips = fixed_clips();
    PointList run;
    long edges = 0;
    std::vector<WorldPointS> points;
    for (int round = 0; round < 340; ++round) {
        clips.push_back(random_clip(random));
        for (const std::vector<int32_t> &clip_values : clips) {
            const int32_t *clip = clip_values.data();
            for (int k = 0; k < 26; ++k) {
                // Mostly short steps, so that runs go on inside for a while;
                // now and then a point again, or one anywhere.
                points.assign(1, point(random, clip));
                const std::size_t n = 2 + random.below(19);
                while (points.size() < n) {
                    const WorldPointS &last = points.back();
                    switch (random.below(4)) {
                        case 0:
                            points.push_back(last);
                            break;
                        case 1:
                            points.push_back(random.below(2) == 0
                                                 ? point(random, clip)
                                                 : through_a_corner(random, clip, last));
                            break;
                        default:
                            points.push_back({clamped(int64_t{last.x} + random.below(41) - 20),
                                              clamped(int64_t{last.y} + random.below(41) - 20)});
                    }
                }
                edges += static_cast<long>(n) - 1;
                ASSERT_EQ(runs_of_clip_polyline(clip, points, run), runs_edge_by_edge(clip, points))
                    << text(clip, points);
            }
        }
        clips.pop_back();
    }
    EXPECT_GE(edges, 1000000);
}

// A long poly-line that stays inside is one run, whatever its length: the
// working list moves from its own room to the heap and grows on the way
// without losing a point.
TEST(ClippingAgreement, APolylineInsideIsOneRun) {
    const int32_t clip[4] = {0, 0, 1000, 1000};
    std::vector<WorldPointS> points;
    for (int32_t i = 0; i <= 1000; ++i)
        points.push_back({i, (i * 37) % 1001});
    PointList run;
    Runs expected;
    add_run(expected, points.data(), points.size());
    EXPECT_EQ(runs_of_clip_polyline(clip, points, run), expected);
}

} // namespace
