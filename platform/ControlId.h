// Controls and timers named so that the compiler checks the name. An id is the place of a control in its window's
// constexpr table, found at compile time: a name that is not in the table stops the build instead of failing in
// front of a candidate. The window's class and the control's kind are part of the id's type, so one window's id
// never reaches another, and what a control offers depends on what it is.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/Controls.h"

namespace platform {

// Any control of the window, whatever its kind: what tables of several controls hold.
template <class Window>
struct AnyControlId {
    int index;
};

template <class Window, ControlKind Kind>
struct ControlId {
    int index;
    constexpr operator AnyControlId<Window>() const { return {index}; }
};

template <class Window>
struct TimerId {
    int index;
};

// A control's name as a template argument.
template <std::size_t N>
struct ControlName {
    consteval ControlName(const char (&name)[N]) { std::copy_n(name, N, chars); }
    constexpr std::string_view View() const { return {chars, N - 1}; }
    char chars[N];
};

template <std::size_t N>
consteval int IndexOfControl(const ControlSpec (&table)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].name == name) return static_cast<int>(i);
    throw "no control of this name in the window's table";
}

template <class Window, const auto& table, ControlName name>
consteval auto FindControl() {
    constexpr int index = IndexOfControl(table, name.View());
    return ControlId<Window, table[index].kind>{index};
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
