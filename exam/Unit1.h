// The exam window: the program's main window, alive as long as the process.
#pragma once

#include "platform/Form.h"

namespace exam {

class TSinavForm : public platform::Form {
public:
    // Builds the window covering the screen; the program entry then runs FormCreate, which starts the first
    // session. Tests build the window alone.
    TSinavForm();

    void FormCreate();
    void FormShow(platform::EventArgs& args);
    void TemizleClick(platform::EventArgs& args);
    void FormClose(platform::EventArgs& args);
    void FormKeyDown(platform::EventArgs& args);
    void FormResize(platform::EventArgs& args);
    void BaslatClick(platform::EventArgs& args);
    void KapatBtnClick(platform::EventArgs& args);
    void BaslatTimerTimer(platform::EventArgs& args);
    void YazilanKeyUp(platform::EventArgs& args);
    void YazilanMouseDown(platform::EventArgs& args);
    void SinavTimerTimer(platform::EventArgs& args);
    void CaptionPanelResize(platform::EventArgs& args);

protected:
    void OnEvent(std::string_view source, platform::Event event, platform::EventArgs& args) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CoverTheScreen();
    void KeepProportions();
};

}  // namespace exam
