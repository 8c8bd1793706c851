// The edge clipper and the rectangle classification on their own: corner
// regions, boundaries, parallel edges and the truncation of computed points.
#include "plot/edge_clipper.h"

#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using vexl::ClipEdgeMode;
using vexl::PointList;
using vexl::RectangleVisibility;

const int32_t kClip[4] = {-100, -100, 100, 100};

std::vector<std::pair<int32_t, int32_t>> clipped(WorldPointS p0, WorldPointS p1,
                                                 ClipEdgeMode mode) {
    PointList list;
    vexl::clip_edge(kClip, p0, p1, list, mode);
    std::vector<std::pair<int32_t, int32_t>> points;
    for (int32_t i = 0; i < list.size(); ++i)
        points.emplace_back(list[i].x, list[i].y);
    return points;
}

using Points = std::vector<std::pair<int32_t, int32_t>>;

TEST(EdgeClipper, VisiblePiecesAndTruncationTowardZero) {
    for (ClipEdgeMode mode : {ClipEdgeMode::Line, ClipEdgeMode::Polygon}) {
        EXPECT_EQ(clipped({-50, 20}, {60, -30}, mode), (Points{{-50, 20}, {60, -30}}));
        // Leaves through x = 100 at y = -66.7: truncated to -66, not floored to -67.
        EXPECT_EQ(clipped({0, 0}, {300, -200}, mode), (Points{{0, 0}, {100, -66}}));
        // Enters through x = -100 at y = -0.5, which truncates to 0 (floor would give -1).
        EXPECT_EQ(clipped({-300, -51}, {100, 50}, mode), (Points{{-100, 0}, {100, 50}}));
        EXPECT_EQ(clipped({0, 0}, {50, 200}, mode), (Points{{0, 0}, {25, 100}}));
        // Parallel to an axis: inside it is cut at both ends, outside it vanishes.
        EXPECT_EQ(clipped({0, -200}, {0, 200}, mode), (Points{{0, -100}, {0, 100}}));
        EXPECT_EQ(clipped({-200, -50}, {-200, 50}, mode), Points{});
        // Starting on the boundary and going out shows nothing.
        EXPECT_EQ(clipped({100, 0}, {200, 0}, mode), Points{});
    }
}

TEST(EdgeClipper, CornerRegionsOnlyAddCornersInPolygonMode) {
    // From the lower-left corner region into the rectangle.
    EXPECT_EQ(clipped({-200, -200}, {50, 0}, ClipEdgeMode::Polygon),
              (Points{{-100, -100}, {-75, -100}, {50, 0}}));
    EXPECT_EQ(clipped({-200, -200}, {50, 0}, ClipEdgeMode::Line), (Points{{-75, -100}, {50, 0}}));
    // Passing outside the upper-left corner: the turning point, or nothing.
    EXPECT_EQ(clipped({-250, 0}, {0, 250}, ClipEdgeMode::Polygon), (Points{{-100, 100}}));
    EXPECT_EQ(clipped({-250, 0}, {0, 250}, ClipEdgeMode::Line), Points{});
}

TEST(EdgeClipper, LineModeRejectsOutsideEdgesWithoutTouchingTheList) {
    PointList list;
    list.append({7, 7});
    EXPECT_TRUE(vexl::clip_edge(kClip, {-300, 150}, {300, 150}, list, ClipEdgeMode::Line));
    EXPECT_EQ(list.size(), 1) << "the answer is whether the list holds points, not this edge";
    PointList empty;
    EXPECT_FALSE(vexl::clip_edge(kClip, {-300, 150}, {300, 150}, empty, ClipEdgeMode::Line));
}

TEST(EdgeClipper, PolygonModeDoesNotRepeatTheLastPoint) {
    PointList list;
    vexl::clip_edge(kClip, {0, 0}, {50, 50}, list, ClipEdgeMode::Polygon);
    vexl::clip_edge(kClip, {50, 50}, {0, 50}, list, ClipEdgeMode::Polygon);
    EXPECT_EQ(list.size(), 3);
}

TEST(RectangleClassification, EmptyReversedEnclosingTrimmedAndCrossing) {
    const int32_t clip[4] = {0, 0, 100, 100};
    struct Case {
        int32_t rect[4];
        bool filled;
        RectangleVisibility expected;
        int32_t after[4];
    };
    const Case cases[] = {
        {{10, 10, 10, 50}, false, RectangleVisibility::Outside, {10, 10, 10, 50}},
        {{50, 10, 10, 50}, true, RectangleVisibility::Outside, {50, 10, 10, 50}},
        {{101, 10, 200, 50}, true, RectangleVisibility::Outside, {101, 10, 200, 50}},
        {{100, 10, 200, 50}, false, RectangleVisibility::PartlyInside, {100, 10, 200, 50}},
        {{-10, -10, 110, 110}, false, RectangleVisibility::Outside, {-10, -10, 110, 110}},
        {{-10, -10, 110, 110}, true, RectangleVisibility::Inside, {0, 0, 100, 100}},
        {{0, 0, 100, 100}, false, RectangleVisibility::Inside, {0, 0, 100, 100}},
        {{50, -5, 60, 50}, false, RectangleVisibility::PartlyInside, {50, -5, 60, 50}},
        {{50, -5, 60, 50}, true, RectangleVisibility::Inside, {50, 0, 60, 50}},
    };
    for (const Case &c : cases) {
        int32_t rect[4] = {c.rect[0], c.rect[1], c.rect[2], c.rect[3]};
        EXPECT_EQ(vexl::classify_rectangle(rect, clip, c.filled), c.expected) << c.rect[0];
        EXPECT_EQ(std::vector<int32_t>(rect, rect + 4), std::vector<int32_t>(c.after, c.after + 4));
    }
}

} // namespace
