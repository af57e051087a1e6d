#include "text/BlankedTextSearch.h"
#include "text/TextAnalysis.h"

namespace text {

std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords) {
    BlankedTextSearch buffer;
    return LocateWrongWords(typedText, wrongWords, buffer);
}

// Each search starts after the previous match, so repeated words land on successive places and the whole pass
// reads the text about once.
std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords,
                                       WordSearchBuffer& buffer) {
    buffer.SetText(NoktalamaTemizle(typedText));
    const int textLength = buffer.TextLength();
    std::vector<WordSpan> spans;
    int start = 0;
    for (const std::string& word : wrongWords) {
        if (word.empty()) {
            continue;
        }
        const int found = buffer.FindWholeWord(word, start, start + textLength);
        if (found >= 0) {
            const int length = static_cast<int>(word.size());
            spans.push_back({found, length});
            start = found + length;
        }
    }
    return spans;
}

}  // namespace text
