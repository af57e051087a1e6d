// CRC-32 (IEEE 802.3, the polynomial of zip and PNG), which tells a journal's damaged or torn frame from a whole one.
#pragma once

#include <cstdint>
#include <string_view>

namespace journal {

// `crc` is the CRC of the bytes before these, so that a CRC can run over pieces.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

}  // namespace journal
