#include "platform/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

// after <cstdio>: jpeglib.h uses FILE without including its header
#include <jpeglib.h>

#include "platform/Dib.h"

namespace platform {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;  // first, so that libjpeg's pointer to it also points to the whole manager
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void Fail(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns about a picture cut short or with damaged data and fills the rest with grey;
// such a picture is refused like any other error.
void Warn(j_common_ptr info, int level) {
    if (level < 0) Fail(info);
}

class Decompressor {
public:
    Decompressor() {
        info_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = Fail;
        errors_.base.emit_message = Warn;
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    ~Decompressor() { jpeg_destroy_decompress(&info_); }

    const jpeg_decompress_struct& Info() const { return info_; }

    // Runs one step of libjpeg calls and throws what libjpeg failed with.
    template <class Argument>
    void Run(void (*step)(jpeg_decompress_struct&, Argument), Argument argument) {
        if (!Completes(step, argument))
            throw std::runtime_error(std::string("JPEG picture does not decode: ") + errors_.message);
    }

private:
    // setjmp is confined to this function: a longjmp from Fail leaves only libjpeg's C frames and the step's,
    // none of which has a destructor to run.
    template <class Argument>
    bool Completes(void (*step)(jpeg_decompress_struct&, Argument), Argument argument) {
        if (setjmp(errors_.jump)) return false;
        step(info_, argument);
        return true;
    }

    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
};

void ReadHeader(jpeg_decompress_struct& info, std::span<const std::byte> data) {
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
}

void Start(jpeg_decompress_struct& info, std::span<const std::byte> data) {
    ReadHeader(info, data);
    info.out_color_space = JCS_EXT_BGRA;  // the byte order of TopDown32BitFormat, with the fourth byte set
    jpeg_start_decompress(&info);
}

void ReadRows(jpeg_decompress_struct& info, std::byte* pixels) {
    const std::size_t stride = std::size_t{info.output_width} * 4;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels + info.output_scanline * stride);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
}

}  // namespace

SIZE JpegSize(std::span<const std::byte> data) {
    Decompressor decompressor;
    decompressor.Run(ReadHeader, data);
    return {static_cast<LONG>(decompressor.Info().image_width), static_cast<LONG>(decompressor.Info().image_height)};
}

UniqueBitmap DecodeJpeg(std::span<const std::byte> data) {
    Decompressor decompressor;
    decompressor.Run(Start, data);

    const jpeg_decompress_struct& info = decompressor.Info();
    const BITMAPINFO format =
        TopDown32BitFormat({static_cast<LONG>(info.output_width), static_cast<LONG>(info.output_height)});
    void* pixels = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap) {
        throw std::runtime_error("No memory for a " + std::to_string(info.output_width) + " x " +
                                 std::to_string(info.output_height) + " picture");
    }
    decompressor.Run(ReadRows, static_cast<std::byte*>(pixels));
    return bitmap;
}

}  // namespace platform
