// The sample text file Metin.rtf, read from the current directory at every exam start.
#pragma once

#include <windows.h>

#include <string>

#include "platform/ControlViews.h"

namespace exam {

// Three minutes of typing at a record 15 keys a second are under 3,000 characters, while a page of a word processor's
// rich text with all its styles is some tens of KB; a larger file is no exam text. The limit also bounds the time the
// sample's control spends laying out a paragraph, which grows with the square of its length: under Wine a plain text
// of 256 KB without a line break still takes minutes, one of 16 KB half a second.
constexpr ULONGLONG kMaxSampleBytes = 256 * 1024;

// What Metin.rtf gives the sample's control: rich text, or plain text with CR LF line breaks in Windows-1254.
struct SampleContent {
    std::string text;
    bool rich = false;
    std::string identity;  // of the file's bytes: an exam continued after a restart needs the sample it began with
};

// Reads Metin.rtf: rich text, or else plain text in Windows-1254, UTF-8 or UTF-16. Throws std::runtime_error with the
// message the candidate's supervisor sees when the file cannot be read, is larger than kMaxSampleBytes (found before
// reading it) or is binary.
SampleContent ReadSampleText();
// Shows it in the rich-edit control, in place of what it held; throws when the control cannot read the rich text.
void ShowSampleText(const platform::RichEditView& metin, const SampleContent& sample);

}  // namespace exam
