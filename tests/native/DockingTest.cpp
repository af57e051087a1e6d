#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/pure/Docking.h"

namespace {

using geometry::Dock;
using geometry::DockNode;
using geometry::Insets;
using geometry::kRoot;
using geometry::Rect;

struct Case {
    std::string name;
    std::vector<DockNode> nodes;
    struct {
        int width, height;
    } client;
    std::vector<Rect> expected;
};

const Insets kBevel{1, 1, 1, 1};
const Insets kGroupFrame{2, 15, 2, 2};

TEST(DockLayout, PlacesChildrenEdgeByEdge) {
    const Case cases[] = {
        {"each edge once, client takes the rest",
         {{kRoot, Dock::Client, {5, 5, 1, 1}, true, {}},
          {kRoot, Dock::Right, {0, 0, 10, 1}, true, {}},
          {kRoot, Dock::Left, {0, 0, 20, 1}, true, {}},
          {kRoot, Dock::Bottom, {0, 0, 1, 7}, true, {}},
          {kRoot, Dock::Top, {0, 0, 1, 9}, true, {}}},
         {100, 80},
         {{20, 9, 70, 64}, {90, 9, 10, 64}, {0, 9, 20, 64}, {0, 73, 100, 7}, {0, 0, 100, 9}}},
        {"the earlier of two on one edge lies nearer it",
         {{kRoot, Dock::Top, {0, 50, 1, 10}, true, {}},
          {kRoot, Dock::Top, {0, 0, 1, 20}, true, {}},
          {kRoot, Dock::Bottom, {0, 0, 1, 5}, true, {}},
          {kRoot, Dock::Bottom, {0, 0, 1, 6}, true, {}}},
         {40, 100},
         {{0, 0, 40, 10}, {0, 10, 40, 20}, {0, 95, 40, 5}, {0, 89, 40, 6}}},
        {"a hidden child takes no room and keeps its bounds",
         {{kRoot, Dock::Left, {0, 0, 30, 1}, true, {}},
          {kRoot, Dock::Left, {3, 4, 3, 226}, false, {}},
          {kRoot, Dock::Client, {0, 0, 1, 1}, true, {}}},
         {100, 50},
         {{0, 0, 30, 50}, {3, 4, 3, 226}, {30, 0, 70, 50}}},
        {"an undocked child keeps its place, a docked one stays inside the bevel",
         {{kRoot, Dock::Top, {0, 0, 1, 45}, true, kBevel},
          {0, Dock::None, {12, 4, 150, 37}, true, {}},
          {0, Dock::Right, {249, 1, 343, 43}, true, {}}},
         {1024, 768},
         {{0, 0, 1024, 45}, {12, 4, 150, 37}, {680, 1, 343, 43}}},
        {"nested containers dock into their own client area",
         {{kRoot, Dock::Bottom, {0, 0, 1, 242}, true, kGroupFrame},
          {0, Dock::Left, {0, 0, 256, 1}, true, kGroupFrame},
          {1, Dock::Client, {0, 0, 1, 1}, true, {}},
          {0, Dock::Left, {0, 0, 200, 1}, true, {}}},
         {1024, 768},
         {{0, 526, 1024, 242}, {2, 15, 256, 225}, {2, 15, 252, 208}, {258, 15, 200, 225}}},
        {"pieces larger than what is left are cut to fit",
         {{kRoot, Dock::Top, {0, 0, 1, 70}, true, {}},
          {kRoot, Dock::Bottom, {0, 0, 1, 70}, true, {}},
          {kRoot, Dock::Client, {0, 0, 1, 1}, true, {}}},
         {10, 100},
         {{0, 0, 10, 70}, {0, 70, 10, 30}, {0, 70, 10, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Rect> placed = geometry::DockLayout(c.nodes, c.client.width, c.client.height);
        ASSERT_EQ(placed.size(), c.expected.size());
        for (std::size_t i = 0; i < placed.size(); ++i) {
            SCOPED_TRACE("node " + std::to_string(i));
            EXPECT_EQ(placed[i], c.expected[i]);
        }
    }
}

// The clock's row «Kalan Süre 180 saniye» as designed (8, 108 and 171 from the left), with the words' widths
// of a face wider than the designed one.
TEST(DockLayout, KeepsLabelsOnALineApart) {
    const auto label = [](Rect r, bool visible = true) { return DockNode{0, Dock::None, r, visible, {}, true}; };
    const Case cases[] = {
        {"labels that fit stay where they were designed",
         {{kRoot, Dock::Top, {0, 0, 1, 43}, true, {}},
          label({8, 8, 90, 24}),
          label({108, 0, 52, 37}),
          label({171, 8, 55, 24})},
         {300, 100},
         {{0, 0, 300, 43}, {8, 8, 90, 24}, {108, 0, 52, 37}, {171, 8, 55, 24}}},
        {"a wider word pushes the number, which pushes the word after it",
         {{kRoot, Dock::Top, {0, 0, 1, 43}, true, {}},
          label({171, 8, 55, 24}),
          label({108, 0, 70, 37}),
          label({8, 8, 104, 24})},
         {300, 100},
         {{0, 0, 300, 43}, {190, 8, 55, 24}, {116, 0, 70, 37}, {8, 8, 104, 24}}},
        {"labels on other lines, hidden or empty ones push nothing",
         {{kRoot, Dock::Top, {0, 0, 1, 60}, true, {}},
          label({8, 6, 200, 19}),
          label({100, 28, 50, 13}),
          label({8, 40, 300, 13}, false),
          label({20, 40, 0, 13}),
          label({30, 42, 10, 13})},
         {300, 100},
         {{0, 0, 300, 60}, {8, 6, 200, 19}, {100, 28, 50, 13}, {8, 40, 300, 13}, {20, 40, 0, 13}, {30, 42, 10, 13}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Rect> placed = geometry::DockLayout(c.nodes, c.client.width, c.client.height, 4);
        ASSERT_EQ(placed.size(), c.expected.size());
        for (std::size_t i = 0; i < placed.size(); ++i) {
            SCOPED_TRACE("node " + std::to_string(i));
            EXPECT_EQ(placed[i], c.expected[i]);
        }
    }
}

}  // namespace
