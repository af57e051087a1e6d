// The cross-built libjpeg encodes and decodes under Windows: a two-colour picture survives a round trip.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 32, kHeight = 16;

std::vector<unsigned char> TwoColourPicture() {  // left half red, right half blue
    std::vector<unsigned char> rgb(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            unsigned char* pixel = &rgb[(y * kWidth + x) * 3];
            pixel[0] = x < kWidth / 2 ? 255 : 0;
            pixel[2] = x < kWidth / 2 ? 0 : 255;
        }
    return rgb;
}

std::vector<unsigned char> Encode(std::vector<unsigned char>& rgb) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rgb[info.next_scanline * kWidth * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<unsigned char> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

}  // namespace

TEST(Jpeg, RoundTripKeepsSizeAndColours) {
    auto rgb = TwoColourPicture();
    const auto jpeg = Encode(rgb);

    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    ASSERT_EQ(info.output_width, unsigned(kWidth));
    ASSERT_EQ(info.output_height, unsigned(kHeight));
    std::vector<unsigned char> decoded(kWidth * kHeight * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &decoded[info.output_scanline * kWidth * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);

    const unsigned char* red = &decoded[(kHeight / 2 * kWidth + 2) * 3];
    const unsigned char* blue = &decoded[(kHeight / 2 * kWidth + kWidth - 3) * 3];
    EXPECT_GT(red[0], 200);
    EXPECT_LT(red[2], 60);
    EXPECT_LT(blue[0], 60);
    EXPECT_GT(blue[2], 200);
}
