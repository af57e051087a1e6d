// What the parts of Form share: control ids, timer ids and the kinds of controls.
#pragma once

#include <windows.h>

#include "platform/Controls.h"

namespace platform::form_internals {

inline constexpr int kFirstControlId = 1000;
inline constexpr UINT_PTR kFirstTimerId = 1;
inline constexpr wchar_t kContainerClass[] = L"PC1Container";
inline constexpr int kListItemHeight = 13;

inline bool IsGraphic(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Bevel || kind == ControlKind::Splitter ||
           kind == ControlKind::Picture;
}

inline bool IsContainer(ControlKind kind) { return kind == ControlKind::Panel || kind == ControlKind::GroupBox; }

}  // namespace platform::form_internals
