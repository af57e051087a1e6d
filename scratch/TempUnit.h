// The scratch window: never shown; its rich-edit control is a buffer with the typing area's character positions,
// in which the wrong words are looked up.
#pragma once

#include "platform/Form.h"
#include "text/TextAnalysis.h"

namespace scratch {

class TTempForm : public platform::Form, public text::WordSearchBuffer {
public:
    TTempForm();

    void SetText(std::string_view text) override;
    int TextLength() const override;
    int FindWholeWord(std::string_view word, int from, int to) const override;
};

}  // namespace scratch
