#include "platform/pure/Docking.h"

#include <algorithm>

namespace geometry {

namespace {

constexpr Dock kDockingOrder[] = {Dock::Top, Dock::Bottom, Dock::Left, Dock::Right, Dock::Client};

Rect Inside(const Rect& outer, const Insets& insets) {
    return {insets.left, insets.top, std::max(0, outer.width - insets.left - insets.right),
            std::max(0, outer.height - insets.top - insets.bottom)};
}

// Cuts the child's piece off the free area and returns it.
Rect TakeEdge(Rect& free, Dock dock, const Rect& wanted) {
    const int height = std::min(wanted.height, free.height), width = std::min(wanted.width, free.width);
    Rect taken = free;
    switch (dock) {
    case Dock::Top:
        taken.height = height;
        free.top += height;
        free.height -= height;
        break;
    case Dock::Bottom:
        taken = {free.left, free.Bottom() - height, free.width, height};
        free.height -= height;
        break;
    case Dock::Left:
        taken.width = width;
        free.left += width;
        free.width -= width;
        break;
    case Dock::Right:
        taken = {free.Right() - width, free.top, width, free.height};
        free.width -= width;
        break;
    case Dock::Client:
    case Dock::None:
        break;
    }
    return taken;
}

void DockChildren(std::span<const DockNode> nodes, int container, Rect free, std::vector<Rect>& placed) {
    for (Dock dock : kDockingOrder) {
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const DockNode& node = nodes[i];
            if (node.parent == container && node.visible && node.dock == dock)
                placed[i] = TakeEdge(free, dock, node.bounds);
        }
    }
}

}  // namespace

std::vector<Rect> DockLayout(std::span<const DockNode> nodes, int clientWidth, int clientHeight) {
    std::vector<Rect> placed(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) placed[i] = nodes[i].bounds;

    DockChildren(nodes, kRoot, {0, 0, clientWidth, clientHeight}, placed);
    // Parents come first, so every container is placed before its own children are docked into it.
    for (std::size_t i = 0; i < nodes.size(); ++i)
        DockChildren(nodes, static_cast<int>(i), Inside(placed[i], nodes[i].clientInsets), placed);
    return placed;
}

}  // namespace geometry
