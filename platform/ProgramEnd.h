// The program ends from wherever it stands: inside a modal dialog, after an error's message box, at Windows' end of
// the session. Unwinding from there would run every loop's remaining work, so the process ends at once, but only
// after the work that must not be cut off, such as a record on its way to the printer, has had its bounded wait.
#pragma once

#include <windows.h>

#include <functional>

namespace platform {

// Every way the program ends by its own choice comes here.
[[noreturn]] void EndProgram(UINT exitCode);

// While it lives, EndProgram runs `finish` before the process goes. `finish` bounds its own wait; it may end the
// process itself when what it waited for will not finish. Made, destroyed and run on the windows' thread.
class ProgramEndWait {
public:
    explicit ProgramEndWait(std::function<void()> finish);
    ~ProgramEndWait();
    ProgramEndWait(const ProgramEndWait&) = delete;
    ProgramEndWait& operator=(const ProgramEndWait&) = delete;

    void Finish() const { finish_(); }

private:
    std::function<void()> finish_;
};

}  // namespace platform
