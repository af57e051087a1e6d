#include "platform/PictureButton.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/Cp1254.h"
#include "platform/Dib.h"
#include "platform/Window.h"
#include "platform/pure/PictureFit.h"

namespace platform {

namespace {

constexpr int kCaptionGap = 4;   // between picture and caption
constexpr int kFocusInset = 3;   // from the button's edge to its focus rectangle
constexpr int kLightLuma = 192;  // lighter pixels show the face in the disabled look, as holes in the relief

int Luma(const RGBQUAD& pixel) { return (299 * pixel.rgbRed + 587 * pixel.rgbGreen + 114 * pixel.rgbBlue) / 1000; }

std::uint32_t Rgb(const RGBQUAD& pixel) { return (pixel.rgbRed << 16) | (pixel.rgbGreen << 8) | pixel.rgbBlue; }

RGBQUAD Quad(std::uint32_t rgb) {
    return {static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), 0};
}

// The picture's pixels, those of its transparent colour marked, at the size it has at `dpi`.
geometry::MaskedPixels ReadPixels(HBITMAP bitmap, int dpi) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    const SIZE size{info.bmWidth, info.bmHeight};
    BITMAPINFO format = TopDown32BitFormat(size);
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(size.cx) * size.cy);
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (pixels.empty() || !GetDIBits(dc.get(), bitmap, 0, size.cy, pixels.data(), &format, DIB_RGB_COLORS))
        throw std::runtime_error("A button picture's pixels cannot be read");
    const std::uint32_t transparent = Rgb(pixels[(size.cy - 1) * size.cx]);
    geometry::MaskedPixels read{{size.cx, size.cy}, {}, {}};
    for (const RGBQUAD& pixel : pixels) {
        read.colours.push_back(Rgb(pixel) == transparent ? 0 : Rgb(pixel));
        read.transparent.push_back(Rgb(pixel) == transparent);
    }
    if (dpi == geometry::kDesignDpi) return read;
    return geometry::ScaledPixels(read, {geometry::Scaled(size.cx, dpi), geometry::Scaled(size.cy, dpi)});
}

// Rows of a monochrome bitmap are padded to 16 bits; a set bit is white.
class MonochromeBits {
public:
    explicit MonochromeBits(SIZE size)
        : size_(size), stride_((size.cx + 15) / 16 * 2), bits_(static_cast<std::size_t>(stride_) * size.cy) {}
    void SetWhite(int x, int y) { bits_[y * stride_ + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8)); }
    UniqueBitmap Create() const { return UniqueBitmap(CreateBitmap(size_.cx, size_.cy, 1, 1, bits_.data())); }

private:
    SIZE size_;
    int stride_;
    std::vector<BYTE> bits_;
};

void DrawCaption(HDC dc, const std::wstring& caption, const RECT& bounds, bool enabled, bool hidePrefix,
                 COLORREF textColor) {
    if (!enabled) {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()), static_cast<WPARAM>(caption.size()),
                   bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                   DST_PREFIXTEXT | DSS_DISABLED | (hidePrefix ? DSS_HIDEPREFIX : 0));
        return;
    }
    const COLORREF previousColor = SetTextColor(dc, textColor);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT box = bounds;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box,
              DT_SINGLELINE | DT_LEFT | DT_TOP | (hidePrefix ? DT_HIDEPREFIX : 0));
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColor);
}

}  // namespace

ButtonPicture::ButtonPicture(UniqueBitmap picture, int dpi) {
    const geometry::MaskedPixels read = ReadPixels(picture.get(), dpi);
    size_ = {read.size.width, read.size.height};
    std::vector<RGBQUAD> pixels;
    MonochromeBits mask(size_), disabled(size_);
    for (int y = 0; y < size_.cy; ++y) {
        for (int x = 0; x < size_.cx; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * size_.cx + x;
            const RGBQUAD& pixel = pixels.emplace_back(Quad(read.colours[at]));
            if (read.transparent[at]) {
                mask.SetWhite(x, y);
                disabled.SetWhite(x, y);
            } else if (Luma(pixel) >= kLightLuma) {
                disabled.SetWhite(x, y);
            }
        }
    }
    const BITMAPINFO format = TopDown32BitFormat(size_);
    void* bits = nullptr;
    colors_ = UniqueBitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colors_) throw std::runtime_error("No memory for a button picture");
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(RGBQUAD));
    mask_ = mask.Create();
    disabled_ = disabled.Create();
    if (!mask_ || !disabled_) throw std::runtime_error("No memory for a button picture's masks");
}

ButtonPicture ButtonPicture::FromBitmapResource(const wchar_t* name, int dpi) {
    UniqueBitmap bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) throw std::runtime_error("The program has no bitmap " + NarrowCp1254(name));
    return ButtonPicture(std::move(bitmap), dpi);
}

// The mask clears the figure's pixels to black, then the picture, black where transparent, is or-ed in.
void ButtonPicture::Draw(HDC dc, POINT at, bool enabled) const {
    if (!enabled) {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(disabled_.get()), 0, at.x, at.y, size_.cx, size_.cy,
                   DST_BITMAP | DSS_DISABLED);
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(dc));
    // A monochrome source is blitted as text colour where its bits are 0 and background colour where 1.
    const COLORREF previousText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF previousBack = SetBkColor(dc, RGB(255, 255, 255));
    {
        const SelectedObject selected(source.get(), mask_.get());
        BitBlt(dc, at.x, at.y, size_.cx, size_.cy, source.get(), 0, 0, SRCAND);
    }
    {
        const SelectedObject selected(source.get(), colors_.get());
        BitBlt(dc, at.x, at.y, size_.cx, size_.cy, source.get(), 0, 0, SRCPAINT);
    }
    SetBkColor(dc, previousBack);
    SetTextColor(dc, previousText);
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, const ButtonPicture& picture, HFONT font, COLORREF textColor,
                       int dpi) {
    const int captionGap = geometry::Scaled(kCaptionGap, dpi), focusInset = geometry::Scaled(kFocusInset, dpi);
    const HDC dc = item.hDC;
    const bool pushed = item.itemState & ODS_SELECTED;
    const bool enabled = !(item.itemState & ODS_DISABLED);
    const bool hidePrefix = item.itemState & ODS_NOACCEL;
    RECT frame = item.rcItem;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

    const SelectedObject selectedFont(dc, font);
    const std::wstring caption = WindowText(item.hwndItem);
    RECT text{};
    if (!caption.empty()) {
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_CALCRECT | DT_SINGLELINE | (hidePrefix ? DT_HIDEPREFIX : 0));
    }
    const SIZE pictureSize = picture.Size();
    const int contentWidth = pictureSize.cx + (caption.empty() ? 0 : captionGap + text.right);
    const int shift = pushed ? 1 : 0;
    const RECT& button = item.rcItem;
    const POINT at{button.left + (button.right - button.left - contentWidth) / 2 + shift,
                   button.top + (button.bottom - button.top - pictureSize.cy) / 2 + shift};
    picture.Draw(dc, at, enabled);
    if (!caption.empty()) {
        const int left = at.x + pictureSize.cx + captionGap;
        const int top = button.top + (button.bottom - button.top - text.bottom) / 2 + shift;
        DrawCaption(dc, caption, {left, top, left + text.right, top + text.bottom}, enabled, hidePrefix, textColor);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = button;
        InflateRect(&focus, -focusInset, -focusInset);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace platform
