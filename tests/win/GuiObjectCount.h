// Counts of the process's live GDI and USER objects, for the tests that check nothing leaks.
#pragma once

#include <windows.h>

#include <ostream>

namespace testing_pc1 {

struct GuiObjects {
    DWORD gdi, user;
    friend bool operator==(const GuiObjects&, const GuiObjects&) = default;
};

std::ostream& operator<<(std::ostream& out, const GuiObjects& objects);

GuiObjects CountGuiObjects();

}  // namespace testing_pc1
