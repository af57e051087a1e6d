#include "platform/FontCache.h"

#include <string_view>

#include "platform/pure/Scaling.h"

namespace platform {

namespace {

// MS Sans Serif is a bitmap face: outside Turkish Windows it has no glyphs for the Turkish s, dotless i and soft g,
// and it has no true bold. Windows' own TrueType successor of the face has both and the same metrics.
const wchar_t* InstalledFace(const wchar_t* face) {
    return std::wstring_view(face) == L"MS Sans Serif" ? L"Microsoft Sans Serif" : face;
}

}  // namespace

// Every font asks for the Turkish character set, so that the font mapper never picks a face without its letters.
// Fonts of an earlier density stay until the cache goes: controls may still hold them.
HFONT FontCache::Get(const FontSpec& designed, int dpi) {
    FontSpec spec = designed;
    spec.height = geometry::Scaled(designed.height, dpi);
    for (const Entry& entry : fonts_)
        if (std::wstring_view(entry.spec.face) == spec.face && entry.spec.height == spec.height &&
            entry.spec.bold == spec.bold)
            return entry.font.get();
    UniqueFont font(CreateFontW(spec.height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                TURKISH_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, InstalledFace(spec.face)));
    const HFONT handle = font.get();
    fonts_.push_back({spec, std::move(font)});
    return handle;
}

}  // namespace platform
