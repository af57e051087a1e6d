#include "platform/ProgramEnd.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Log.h"

namespace platform {

namespace {
std::vector<const ProgramEndWait*> waits;
}

ProgramEndWait::ProgramEndWait(std::function<void()> finish) : finish_(std::move(finish)) { waits.push_back(this); }

ProgramEndWait::~ProgramEndWait() { std::erase(waits, this); }

void EndProgram(UINT exitCode) {
    for (const ProgramEndWait* wait : waits) wait->Finish();
    EndLog(static_cast<int>(exitCode));
    ExitProcess(exitCode);
}

}  // namespace platform
