// The portable search buffer: finds whole words in the blanked typed text, ignoring letter case.
#pragma once

#include <string>
#include <string_view>

#include "text/TextAnalysis.h"

namespace text {

class BlankedTextSearch final : public WordSearchBuffer {
public:
    void SetText(std::string_view text) override;
    int TextLength() const override;
    // First match starting at or after `from` and ending at or before `to` (and the end of the text), or -1.
    int FindWholeWord(std::string_view word, int from, int to) const override;

private:
    bool IsWholeWordAt(std::size_t start, std::size_t length) const;

    std::string folded_;
};

}  // namespace text
