// Controls and timers named so that the compiler checks the name. An id is the place of a control in its window's
// constexpr table, found at compile time: a name that is not in the table stops the build instead of failing in
// front of a candidate. The window's class is part of the id's type, so one window's id never reaches another.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/Controls.h"

namespace platform {

template <class Window>
struct ControlId {
    int index;
};

template <class Window>
struct TimerId {
    int index;
};

template <class Window, std::size_t N>
consteval ControlId<Window> FindControl(const ControlSpec (&table)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].name == name) return {static_cast<int>(i)};
    throw "no control of this name in the window's table";
}

template <class Window, std::size_t N>
consteval TimerId<Window> FindTimer(const TimerSpec (&table)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].name == name) return {static_cast<int>(i)};
    throw "no timer of this name in the window's table";
}

// Every container a control names stands before it in the table, so building the window finds each one.
template <std::size_t N>
consteval bool ContainersPrecedeTheirControls(const ControlSpec (&table)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i].parent.empty()) continue;
        bool found = false;
        for (std::size_t j = 0; j < i && !found; ++j) found = table[j].name == table[i].parent;
        if (!found) return false;
    }
    return true;
}

}  // namespace platform
