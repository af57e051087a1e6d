// What the entry dialog's fields take, whatever way their text arrives (typed, pasted, dropped, set by another
// program). No Windows header: the rules are tested natively; the dialog applies them to its edits.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace entry {

// The exam window shows the candidate number in its caption, in the room its design gives it between «Aday No :»
// and «Adı :» (61 pixels at 96 dpi, in Microsoft Sans Serif bold at 13 pixels): seven of Windows' 8-pixel digits fit
// there, so the names beside it never move (README, "The entry dialog").
inline constexpr std::size_t kMaxCandidateDigits = 7;

// A field's text in UTF-16, as the edit holds it, and its caret.
struct FieldText {
    std::u16string text;
    std::size_t caret = 0;

    bool operator==(const FieldText&) const = default;
};

struct KeptText {
    FieldText field;                       // what the field keeps, the caret where it was among the kept characters
    std::optional<char32_t> firstLacking;  // the first removed character that Windows-1254 lacks
};

// Whether the program can keep the character: its text is Windows-1254 (a name would print as '?').
bool HasCp1254Form(char32_t codePoint);

// The number keeps its first kMaxCandidateDigits ASCII digits.
KeptText CandidateNumber(const FieldText& field);
// A name keeps every character Windows-1254 has.
KeptText Name(const FieldText& field);

}  // namespace entry
