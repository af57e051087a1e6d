// The settings program's window: the supervisor's sequence typed twice, the board's names, the printer and the
// records folder, written to PC1.ini beside the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/pure/Settings.h"
#include "platform/Form.h"
#include "settings/SettingsWindowLayout.h"

namespace settings {

class TAyarForm : public platform::FormOf<TAyarForm> {
public:
    // `settings` as PC1.ini holds them, and the file's bytes, which saving rewrites key by key.
    TAyarForm(const config::Settings& settings, std::string fileBytes);

    void KaydetClick(platform::EventArgs& args);
    void VazgecClick(platform::EventArgs& args);
    bool Saved() const { return saved_; }

protected:
private:
    // A field as it was shown: only a field the supervisor changed is written, so that a value the window cannot
    // show (a folder name outside Windows-1254) survives.
    struct Field {
        Id control;
        std::string_view key;
        std::string shown;  // Windows-1254
    };

    void Warn(const std::string& message) const;

    std::string fileBytes_;
    bool sequenceSet_;
    std::vector<Field> fields_;
    bool saved_ = false;
};

}  // namespace settings
