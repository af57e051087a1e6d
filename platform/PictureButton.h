// Owner-drawn push buttons (BS_OWNERDRAW) with a 32 x 32 picture beside their caption, in the classic 3-D look.
#pragma once

#include <windows.h>

#include "platform/Gdi.h"

namespace platform {

// A button's picture, with the masks for its transparent colour (that of its lower-left pixel) and for its
// disabled look, both made once.
class ButtonPicture {
public:
    // `dpi`: the picture is designed at 96 dpi and scaled to this density.
    explicit ButtonPicture(UniqueBitmap picture, int dpi = 96);
    static ButtonPicture FromBitmapResource(const wchar_t* name, int dpi = 96);

    SIZE Size() const { return size_; }
    // Transparent pixels keep what is under them; disabled, the picture is embossed in grey.
    void Draw(HDC dc, POINT at, bool enabled) const;

private:
    UniqueBitmap colors_;    // the picture with its transparent pixels black
    UniqueBitmap mask_;      // monochrome, white where the picture is transparent
    UniqueBitmap disabled_;  // monochrome, white where the disabled picture shows the button face
    SIZE size_{};
};

// Paints the button of a WM_DRAWITEM: frame, picture and the button's window text as its caption.
// With a caption the picture stands left of it and both are centred; without one the picture is.
// Its gaps are designed at 96 dpi and drawn at `dpi`.
void DrawPictureButton(const DRAWITEMSTRUCT& item, const ButtonPicture& picture, HFONT font, COLORREF textColor,
                       int dpi);

}  // namespace platform
