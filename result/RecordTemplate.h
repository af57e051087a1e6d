// The exam record's template, the program's resource TESTDOC: the rows of its table as rich text, in Windows-1254.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/Resource.h"

namespace result {

inline std::string_view RecordTemplateRows() {
    const auto bytes = platform::ResourceBytes(L"TESTDOC", RT_RCDATA);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace result
