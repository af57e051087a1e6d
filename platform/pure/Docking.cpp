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

// Two labels share a line when their heights overlap by more than a third of the lower one's: less is the
// leading between two lines of text.
bool ShareALine(const Rect& a, const Rect& b) {
    const int overlap = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return 3 * overlap > std::min(a.height, b.height);
}

void KeepLabelsApart(std::span<const DockNode> nodes, int container, int gap, std::vector<Rect>& placed) {
    std::vector<std::size_t> labels;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].parent == container && nodes[i].visible && nodes[i].label && nodes[i].dock == Dock::None)
            labels.push_back(i);
    std::ranges::stable_sort(labels, {}, [&](std::size_t i) { return nodes[i].bounds.left; });
    for (std::size_t k = 0; k < labels.size(); ++k) {
        Rect& label = placed[labels[k]];
        for (std::size_t before = 0; before < k; ++before) {
            const Rect& left = placed[labels[before]];
            if (left.width > 0 && ShareALine(left, label)) label.left = std::max(label.left, left.Right() + gap);
        }
    }
}

}  // namespace

std::vector<Rect> DockLayout(std::span<const DockNode> nodes, int clientWidth, int clientHeight, int labelGap) {
    std::vector<Rect> placed(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) placed[i] = nodes[i].bounds;

    DockChildren(nodes, kRoot, {0, 0, clientWidth, clientHeight}, placed);
    KeepLabelsApart(nodes, kRoot, labelGap, placed);
    // Parents come first, so every container is placed before its own children are docked into it.
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        DockChildren(nodes, static_cast<int>(i), Inside(placed[i], nodes[i].clientInsets), placed);
        KeepLabelsApart(nodes, static_cast<int>(i), labelGap, placed);
    }
    return placed;
}

}  // namespace geometry
