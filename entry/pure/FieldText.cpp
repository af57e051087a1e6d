#include "entry/pure/FieldText.h"

#include "text/Cp1254Unicode.h"

namespace entry {

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Walks the text character by character, a surrogate pair being one, and keeps those `keeps` takes, up to `most`
// units.
KeptText Kept(const FieldText& field, bool (*keeps)(char32_t), std::size_t most) {
    KeptText kept;
    const std::u16string& text = field.text;
    for (std::size_t at = 0; at < text.size();) {
        const bool paired = IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]);
        const char32_t c = paired ? 0x10000 + ((text[at] - 0xD800) << 10) + (text[at + 1] - 0xDC00) : text[at];
        const std::size_t units = paired ? 2 : 1;
        if (keeps(c) && kept.field.text.size() + units <= most) {
            kept.field.text.append(text, at, units);
            if (at < field.caret) kept.field.caret += units;
        } else if (!HasCp1254Form(c) && !kept.firstLacking) {
            kept.firstLacking = c;
        }
        at += units;
    }
    return kept;
}

}  // namespace

bool HasCp1254Form(char32_t codePoint) { return text::UnicodeToCp1254(codePoint).has_value(); }

KeptText CandidateNumber(const FieldText& field) {
    return Kept(
        field, [](char32_t c) { return c >= U'0' && c <= U'9'; }, kMaxCandidateDigits);
}

KeptText Name(const FieldText& field) { return Kept(field, HasCp1254Form, field.text.size()); }

}  // namespace entry
