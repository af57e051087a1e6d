#include "platform/ProgramVersion.h"

namespace platform {

std::string_view ProgramVersion() { return PC1_VERSION; }

}  // namespace platform
