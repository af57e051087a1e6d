#include "tests/e2e/Targets.h"

#include <span>
#include <stdexcept>
#include <string>

#include "entry/EntryDialogLayout.h"
#include "exam/ExamWindowLayout.h"
#include "exam/ResumeDialogLayout.h"
#include "platform/FormInternals.h"
#include "salon/SalonWindowLayout.h"
#include "settings/SettingsWindowLayout.h"

namespace e2e {

namespace {

struct FormTable {
    std::wstring_view className;
    platform::FormLayout (*layout)();
};

const FormTable kForms[] = {{L"TSinavForm", exam::SinavFormLayout},
                            {L"TGirisForm", entry::GirisFormLayout},
                            {L"TAyarForm", settings::AyarFormLayout},
                            {L"TDevamForm", exam::DevamFormLayout},
                            {L"TSalonForm", salon::SalonFormLayout}};

struct Name {
    std::wstring className, member;  // member is empty for a window class alone
};

Name Split(std::wstring_view target) {
    const auto dot = target.find(L'.');
    if (dot == std::wstring_view::npos) return {std::wstring(target), {}};
    return {std::wstring(target.substr(0, dot)), std::wstring(target.substr(dot + 1))};
}

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

// The index of the named entry in a table whose entries have names, or -1.
template <class Named>
int IndexOf(std::span<const Named> table, std::wstring_view name) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (std::wstring(table[i].name.begin(), table[i].name.end()) == name) return static_cast<int>(i);
    return -1;
}

const FormTable* FormOf(std::wstring_view className) {
    for (const FormTable& form : kForms)
        if (form.className == className) return &form;
    return nullptr;
}

HWND FindChildWithId(HWND parent, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) {
            auto* s = reinterpret_cast<Search*>(context);
            if (GetDlgCtrlID(child) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND FindTarget(std::wstring_view target) {
    const Name name = Split(target);
    const HWND window = FindWindowW(name.className.c_str(), nullptr);
    if (name.member.empty() || !window) return window;
    const FormTable* form = FormOf(name.className);
    const int index = form ? IndexOf(form->layout().controls, name.member) : -1;
    return index < 0 ? nullptr : FindChildWithId(window, platform::form_internals::kFirstControlId + index);
}

HWND RequireTarget(std::wstring_view target) {
    if (const HWND found = FindTarget(target)) return found;
    throw std::runtime_error("no window " + Narrow(target));
}

UINT_PTR TimerId(std::wstring_view timer) {
    const Name name = Split(timer);
    const FormTable* form = FormOf(name.className);
    const int index = form ? IndexOf(form->layout().timers, name.member) : -1;
    if (index < 0) throw std::runtime_error("no timer " + Narrow(timer));
    return platform::form_internals::kFirstTimerId + static_cast<UINT_PTR>(index);
}

}  // namespace e2e
