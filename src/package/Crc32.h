#pragma once

#include <cstdint>
#include <string_view>

namespace kestrix {

// The two CRC-32s a package's stored checksum may be. The game's engine
// builds its table from the polynomial 0x04C11DB7 taken from the top bit
// down; its start value and final XOR are not publicly documented, so the
// usual 0xFFFFFFFF for both is assumed. The common (reflected, zlib) CRC-32 is
// accepted as well, as tools outside the engine write it. A package is
// refused only when its checksum matches neither.
class Crc32 {
public:
    static std::uint32_t engine(std::string_view bytes);
    static std::uint32_t reflected(std::string_view bytes);
};

}  // namespace kestrix
