// The sample text file Metin.rtf, read from the current directory at every exam start.
#pragma once

#include <windows.h>

namespace exam {

// Loads Metin.rtf into the rich-edit control as rich text, or as plain text when it is not rich text: Windows-1254,
// UTF-8 or UTF-16. Throws std::runtime_error with the message the candidate's supervisor sees when the file cannot
// be read or is binary.
void LoadSampleText(HWND metin);

}  // namespace exam
