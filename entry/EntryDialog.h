// The entry dialog: the candidate's number and name, asked for at the start of every session.
#pragma once

#include <optional>
#include <string>

#include "entry/EntryDialogLayout.h"
#include "entry/pure/FieldText.h"
#include "platform/Form.h"

namespace entry {

// The current candidate, kept for the life of the process; each completed entry dialog overwrites it.
struct TAdayKaydi {
    std::string adayNo;  // as typed
    std::string adi;     // upper-cased by text::HarfDonustur
    std::string soyadi;  // upper-cased by text::HarfDonustur
};

extern TAdayKaydi AdayKaydi;

class TGirisForm : public platform::FormOf<TGirisForm> {
public:
    explicit TGirisForm(HWND owner);  // the backdrop, which the exam window owns

    void TamamClick(platform::EventArgs& args);
    void AdaynoKeyPress(platform::EventArgs& args);
    void KapatClick(platform::EventArgs& args);
    void AdiKeyPress(platform::EventArgs& args);
    void SoyadiKeyPress(platform::EventArgs& args);
    void FormKeyUp(platform::EventArgs& args);
    void KapatKeyPress(platform::EventArgs& args);
    void FormClose(platform::EventArgs& args);
    void FormKeyDown(platform::EventArgs& args);
    void FormHitTest(platform::EventArgs& args);
    void AdaynoChange(platform::EventArgs& args);
    void AdiChange(platform::EventArgs& args);
    void SoyadiChange(platform::EventArgs& args);

protected:
    std::optional<LRESULT> FilterControlMessage(int control, HWND, UINT message, WPARAM wParam, LPARAM) override;

private:
    bool IsIncomplete() const;
    void CloseExamWindow();
    void KeepWhatTheFieldTakes(Id field, KeptText (*rule)(const FieldText&));
    void RefuseCharacter(char32_t c) const;

    bool escapePressed_ = false;  // Esc went down in this dialog, not in a box that it closed
    wchar_t highSurrogate_ = 0;   // the first half of a typed character beyond U+FFFF, until its second comes
};

}  // namespace entry
