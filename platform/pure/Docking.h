// Docking of child controls to the edges of their container, as a pure function: sizes in, rectangles out.
#pragma once

#include <span>
#include <vector>

namespace geometry {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The border between a container's outer edge and the area its docked children share.
struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

enum class Dock { None, Top, Bottom, Left, Right, Client };

struct DockNode {
    int parent;  // index of the container in the same table, or kRoot for the window's client area
    Dock dock;
    Rect bounds;  // relative to the container; docking replaces what the docked edges decide
    bool visible;
    Insets clientInsets;
    bool label = false;  // undocked text, kept clear of a label before it on its line
};

inline constexpr int kRoot = -1;

// Lays out every node of the table; containers must come before their children. Within a container the
// docked children take their edges in the order top, bottom, left, right, client, and among children docked
// to the same edge the earlier in the table lies nearer the edge. Hidden children take no room and keep
// their bounds. A label that shares its line with a label left of it starts at least `labelGap` after that
// one's end: a face wider than the designed one, or a number that grows, pushes the words after it along
// instead of painting over them.
std::vector<Rect> DockLayout(std::span<const DockNode> nodes, int clientWidth, int clientHeight, int labelGap = 0);

}  // namespace geometry
