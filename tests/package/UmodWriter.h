#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "package/Crc32.h"

namespace kestrix {

// Writes packages from the public description of the format alone: files,
// then the directory (compact-index count; per file a compact-index length
// counting the NUL, the name, the NUL, offset, length, flags), then the
// 20-byte trailer with the checksum over everything before it.
struct UmodWriter {
    struct File {
        std::string name;
        std::string bytes;
        std::uint32_t flags = 0;
    };

    static void number(std::string& out, std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    }

    static void compactIndex(std::string& out, std::uint32_t value) {
        out.push_back(static_cast<char>((value & 0x3F) | (value > 0x3F ? 0x40 : 0)));
        for (value >>= 6; value > 0; value >>= 7) {
            out.push_back(static_cast<char>((value & 0x7F) | (value > 0x7F ? 0x80 : 0)));
        }
    }

    static std::string write(const std::vector<File>& files, bool reflectedCrc = false) {
        std::string out;
        std::string directory;
        compactIndex(directory, static_cast<std::uint32_t>(files.size()));
        for (const File& file : files) {
            compactIndex(directory, static_cast<std::uint32_t>(file.name.size() + 1));
            directory += file.name;
            directory.push_back('\0');
            number(directory, static_cast<std::uint32_t>(out.size()));
            number(directory, static_cast<std::uint32_t>(file.bytes.size()));
            number(directory, file.flags);
            out += file.bytes;
        }
        const auto directoryOffset = static_cast<std::uint32_t>(out.size());
        out += directory;
        const std::uint32_t crc = reflectedCrc ? Crc32::reflected(out) : Crc32::engine(out);
        const auto total = static_cast<std::uint32_t>(out.size() + 20);
        number(out, 0x9FE3C5A3U);
        number(out, directoryOffset);
        number(out, total);
        number(out, 1);
        number(out, crc);
        return out;
    }
};

}  // namespace kestrix
