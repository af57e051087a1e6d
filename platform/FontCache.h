// Creates each distinct font once and keeps it for the lifetime of the window that uses it.
#pragma once

#include <vector>

#include "platform/Gdi.h"
#include "platform/Style.h"

namespace platform {

class FontCache {
public:
    // The designed font at `dpi`.
    HFONT Get(const FontSpec& spec, int dpi);

private:
    struct Entry {
        FontSpec spec;
        UniqueFont font;
    };
    std::vector<Entry> fonts_;
};

}  // namespace platform
