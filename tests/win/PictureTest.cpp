// The program's resources have the formats its code relies on; JPEG pictures decode, or fail with an error;
// picture buttons show their picture with its transparent colour in the button face; nothing leaks.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp1254.h"
#include "platform/Dib.h"
#include "platform/Jpeg.h"
#include "platform/Picture.h"
#include "platform/PictureButton.h"
#include "platform/Resource.h"
#include "tests/win/GuiObjectCount.h"

namespace {

using platform::ResourceBytes;
using testing_pc1::CountGuiObjects;
using testing_pc1::GuiObjects;

constexpr const wchar_t* kButtonPictures[] = {L"TEMIZLE", L"BASLAT", L"KAPATBTN"};

int Byte(std::span<const std::byte> bytes, std::size_t at) { return std::to_integer<int>(bytes[at]); }
int Word(std::span<const std::byte> bytes, std::size_t at) { return Byte(bytes, at) << 8 | Byte(bytes, at + 1); }

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A 32-bit top-down bitmap selected into a memory DC, read back as COLORREFs.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        const BITMAPINFO format = platform::TopDown32BitFormat({width, height});
        bitmap_.Reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        previous_ = SelectObject(dc_.get(), bitmap_.get());
        std::fill_n(bits_, width * height, RGB(GetBValue(fill), GetGValue(fill), GetRValue(fill)));
    }
    ~Canvas() { SelectObject(dc_.get(), previous_); }
    HDC Dc() const { return dc_.get(); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD bgra = bits_[y * width_ + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }

private:
    int width_;
    platform::UniqueMemoryDc dc_;
    platform::UniqueBitmap bitmap_;
    DWORD* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST(Resources, ButtonPicturesAre32By32At24BitsWithBlackLowerLeft) {
    for (const wchar_t* name : kButtonPictures) {
        SCOPED_TRACE(platform::NarrowCp1254(name));
        // A BITMAP resource is the .bmp file (3,126 bytes) less its 14-byte file header.
        const auto bytes = ResourceBytes(name, RT_BITMAP);
        ASSERT_EQ(bytes.size(), 40u + 32 * 32 * 3);
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes.data(), sizeof header);
        EXPECT_EQ(header.biWidth, 32);
        EXPECT_EQ(header.biHeight, 32);  // positive: bottom-up, so the lower-left pixel is stored first
        EXPECT_EQ(header.biBitCount, 24);
        EXPECT_EQ(header.biCompression, DWORD{BI_RGB});
        EXPECT_EQ(Byte(bytes, 40) | Byte(bytes, 41) | Byte(bytes, 42), 0);
    }
}

// Baseline JFIF 1.01 at 96 dpi, three components with 4:2:0 chroma subsampling, of the size the forms expect.
TEST(Resources, JpegPicturesHaveTheirFormatAndSize) {
    struct Case {
        const wchar_t* name;
        int width, height;
    } const cases[] = {{L"GIRISRESMI", 368, 365}, {L"ARKAPLAN", 1023, 767}};
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::NarrowCp1254(c.name));
        const auto bytes = ResourceBytes(c.name, RT_RCDATA);
        ASSERT_GT(bytes.size(), 20u);
        EXPECT_EQ(std::memcmp(bytes.data() + 6, "JFIF\0\1\1\1\0\x60\0\x60", 12), 0);  // version, units, density
        std::size_t at = 2;
        while (at + 4 < bytes.size() && Byte(bytes, at + 1) != 0xC0 && Byte(bytes, at + 1) != 0xDA)
            at += 2 + Word(bytes, at + 2);
        ASSERT_EQ(Byte(bytes, at + 1), 0xC0) << "no baseline frame header before the scan";
        EXPECT_EQ(Word(bytes, at + 5), c.height);
        EXPECT_EQ(Word(bytes, at + 7), c.width);
        EXPECT_EQ(Byte(bytes, at + 9), 3);
        EXPECT_EQ(Byte(bytes, at + 11) << 16 | Byte(bytes, at + 14) << 8 | Byte(bytes, at + 17), 0x221111);

        const auto picture = platform::Picture::FromJpegResource(c.name);
        EXPECT_EQ(picture.Size().cx, c.width);
        EXPECT_EQ(picture.Size().cy, c.height);
    }
}

TEST(Resources, ExamRecordTemplateIsTableRowsWithEveryPlaceholder) {
    const auto bytes = ResourceBytes(L"TESTDOC", RT_RCDATA);
    const std::string_view rtf(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const char* placeholder :
         {"$pc$", "$s$", "$t$", "$tarih$", "$BsSaat$", "$BtSaat$", "$adi$", "$soyadi$", "$adayno$", "$metin$",
          "$yazilan$", "$dogru$", "$yanlis$", "$sonuc$", "$baskan$", "$uye1$", "$uye2$"}) {
        EXPECT_NE(rtf.find(placeholder), std::string_view::npos) << placeholder;
    }
    EXPECT_NE(rtf.find("Sayfa : $s$ / $t$"), std::string_view::npos);
    EXPECT_EQ(rtf.find("{\\rtf1"), std::string_view::npos);
    EXPECT_EQ(rtf.find("\\trowd"), 0u);
    EXPECT_EQ(std::count(rtf.begin(), rtf.end(), '{'), std::count(rtf.begin(), rtf.end(), '}'));
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char ch) { return ch > 0; })) << "Turkish letters as \\'xx";
}

TEST(Jpeg, DataThatDoesNotDecodeThrows) {
    const auto good = ResourceBytes(L"GIRISRESMI", RT_RCDATA);
    const std::byte garbage[] = {std::byte{'P'}, std::byte{'C'}, std::byte{'1'}, std::byte{0}, std::byte{0xFF}};
    struct Case {
        const char* name;
        std::span<const std::byte> data;
    } const cases[] = {
        {"empty", {}},
        {"garbage", garbage},
        {"start marker only", good.first(2)},
        {"headers only", good.first(700)},
        {"cut in half", good.first(good.size() / 2)},
        {"a bitmap", ResourceBytes(L"TEMIZLE", RT_BITMAP)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(platform::DecodeJpeg(c.data), std::runtime_error);
    }
}

// The gradient behind the emblem, light at the top, shows the rows' order and the colours' byte order.
TEST(Picture, FillsExactlyTheRectangleItIsDrawnIn) {
    constexpr COLORREF kMagenta = RGB(255, 0, 255);
    const auto picture = platform::Picture::FromJpegResource(L"GIRISRESMI");
    const Canvas canvas(140, 140, kMagenta);
    picture.Draw(canvas.Dc(), {0, 0, 137, 137});
    EXPECT_PRED3(Near, canvas.At(0, 0), RGB(0x4A, 0x7F, 0xB0), 12);
    EXPECT_PRED3(Near, canvas.At(0, 136), RGB(0x1E, 0x3F, 0x63), 12);
    EXPECT_PRED3(Near, canvas.At(136, 136), RGB(0x1E, 0x3F, 0x63), 12);
    EXPECT_EQ(canvas.At(137, 100), kMagenta);
    EXPECT_EQ(canvas.At(100, 137), kMagenta);
}

// A hidden window with one owner-drawn button, whose WM_DRAWITEM is rendered into a canvas.
class ButtonUnderTest {
public:
    ButtonUnderTest(const wchar_t* caption, SIZE size)
        : size_(size),
          parent_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr)),
          button_(CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | BS_OWNERDRAW, 0, 0, size.cx, size.cy, parent_.get(),
                                  nullptr, nullptr, nullptr)),
          font_(CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif")) {}

    void Draw(const Canvas& canvas, const platform::ButtonPicture& picture, UINT state) const {
        const DRAWITEMSTRUCT item{
            ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, state, button_.get(), canvas.Dc(), {0, 0, size_.cx, size_.cy}, 0};
        platform::DrawPictureButton(item, picture, font_.get(), kCaptionColor, 96);
    }
    int CaptionWidth(const Canvas& canvas) const {
        const platform::SelectedObject selected(canvas.Dc(), font_.get());
        wchar_t caption[64];
        SIZE extent{};
        GetTextExtentPoint32W(canvas.Dc(), caption, GetWindowTextW(button_.get(), caption, 64), &extent);
        return extent.cx;
    }

    static constexpr COLORREF kCaptionColor = RGB(0, 0, 255);

private:
    SIZE size_;
    platform::Unique<HWND, DestroyWindow> parent_;
    platform::Unique<HWND, DestroyWindow> button_;
    platform::UniqueFont font_;
};

// The picture's own pixels, read without the code under test: black ones are transparent.
std::vector<COLORREF> ReferencePixels(const wchar_t* name) {
    const auto bytes = ResourceBytes(name, RT_BITMAP);
    std::vector<COLORREF> pixels(32 * 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::size_t at = 40 + ((31 - y) * 32 + x) * 3;
            pixels[y * 32 + x] = RGB(Byte(bytes, at + 2), Byte(bytes, at + 1), Byte(bytes, at));
        }
    }
    return pixels;
}

TEST(PictureButton, ShowsThePictureWithItsTransparentPixelsInTheButtonFace) {
    struct Case {
        const char* name;
        const wchar_t* picture;
        const wchar_t* caption;
        SIZE size;
        UINT state;
        int shift;  // of the content when pushed
    } const cases[] = {
        {"close button, no caption: centred", L"KAPATBTN", L"", {35, 37}, 0, 0},
        {"pushed: one pixel right and down", L"KAPATBTN", L"", {35, 37}, ODS_SELECTED, 1},
        {"caption right of the picture", L"TEMIZLE", L"Yeni Oturum", {150, 37}, 0, 0},
        {"caption, pushed", L"TEMIZLE", L"Yeni Oturum", {150, 37}, ODS_SELECTED, 1},
    };
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ButtonUnderTest button(c.caption, c.size);
        const Canvas canvas(c.size.cx, c.size.cy, RGB(255, 0, 255));
        button.Draw(canvas, platform::ButtonPicture::FromBitmapResource(c.picture), c.state);

        const int captionWidth = *c.caption ? 4 + button.CaptionWidth(canvas) : 0;
        const int left = (c.size.cx - 32 - captionWidth) / 2 + c.shift, top = (c.size.cy - 32) / 2 + c.shift;
        const auto reference = ReferencePixels(c.picture);
        const auto onFrame = [&](int x, int y) {  // a narrow button's picture reaches into its 2-pixel frame
            return x < 2 || y < 2 || x >= c.size.cx - 2 || y >= c.size.cy - 2;
        };
        int mismatches = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const COLORREF expected = reference[y * 32 + x] ? reference[y * 32 + x] : face;
                if (expected == face && onFrame(left + x, top + y)) continue;
                mismatches += canvas.At(left + x, top + y) != expected;
            }
        }
        EXPECT_EQ(mismatches, 0);
        if (*c.caption) {
            int firstCaptionColumn = c.size.cx;
            for (int x = 0; x < c.size.cx; ++x)
                for (int y = 0; y < c.size.cy; ++y)
                    if (canvas.At(x, y) == ButtonUnderTest::kCaptionColor)
                        firstCaptionColumn = std::min(firstCaptionColumn, x);
            EXPECT_GE(firstCaptionColumn, left + 36);
            EXPECT_LE(firstCaptionColumn, left + 38);
        }
    }
}

TEST(PictureButton, DisabledShowsOnlyTheButtonColours) {
    const ButtonUnderTest button(L"Yeni Oturum", {150, 37});
    const Canvas canvas(150, 37, RGB(255, 0, 255));
    button.Draw(canvas, platform::ButtonPicture::FromBitmapResource(L"TEMIZLE"), ODS_DISABLED);
    const COLORREF allowed[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DSHADOW),
                                GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)};
    int shadowed = 0, others = 0;
    for (int y = 0; y < 37; ++y) {
        for (int x = 0; x < 150; ++x) {
            const COLORREF pixel = canvas.At(x, y);
            others += std::find(std::begin(allowed), std::end(allowed), pixel) == std::end(allowed);
            shadowed += x > 2 && x < 147 && y > 2 && y < 34 && pixel == GetSysColor(COLOR_3DSHADOW);
        }
    }
    EXPECT_EQ(others, 0);
    EXPECT_GT(shadowed, 100) << "the picture and the caption are embossed";
}

void MakeDrawAndDropEverything() {
    for (const wchar_t* name : kButtonPictures) {
        const ButtonUnderTest button(L"Yeni Oturum", {150, 37});
        const Canvas canvas(150, 37, 0);
        const auto picture = platform::ButtonPicture::FromBitmapResource(name);
        button.Draw(canvas, picture, ODS_FOCUS);
        button.Draw(canvas, picture, ODS_DISABLED);
    }
    const Canvas canvas(137, 137, 0);
    platform::Picture::FromJpegResource(L"GIRISRESMI").Draw(canvas.Dc(), {0, 0, 137, 137});
    platform::Picture::FromJpegResource(L"ARKAPLAN").Draw(canvas.Dc(), {0, 0, 137, 137});
}

TEST(Leaks, PicturesAndPictureButtonsGiveBackEveryGuiObject) {
    MakeDrawAndDropEverything();  // first uses make objects that stay: fonts, classes
    const GuiObjects before = CountGuiObjects();
    EXPECT_GT(before.gdi, 0u);
    for (int i = 0; i < 1000; ++i) MakeDrawAndDropEverything();
    EXPECT_EQ(CountGuiObjects(), before);
}

}  // namespace
