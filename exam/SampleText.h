// The sample text file Metin.rtf, read from the current directory at every exam start.
#pragma once

#include <windows.h>

#include "platform/ControlViews.h"

namespace exam {

// Three minutes of typing at a record 15 keys a second are under 3,000 characters, while a page of a word processor's
// rich text with all its styles is some tens of KB; a larger file is no exam text. The limit also bounds the time the
// sample's control spends laying out a paragraph, which grows with the square of its length: under Wine a plain text
// of 256 KB without a line break still takes minutes, one of 16 KB half a second.
constexpr ULONGLONG kMaxSampleBytes = 256 * 1024;

// Loads Metin.rtf into the rich-edit control as rich text, or as plain text when it is not rich text: Windows-1254,
// UTF-8 or UTF-16. Throws std::runtime_error with the message the candidate's supervisor sees when the file cannot
// be read, is larger than kMaxSampleBytes (found before reading it) or is binary.
void LoadSampleText(const platform::RichEditView& metin);

}  // namespace exam
