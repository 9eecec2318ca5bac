#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// One file a package carries: its name relative to the game folder, as the
// package writes it ("System\Foo.u"), its bytes and its flags.
struct PackedFile {
    std::string name;
    std::string_view bytes;
    std::uint32_t flags = 0;
};

// A ".umod" package read from its bytes, which must outlive it.
//
// The files lie back to back from the start; a directory follows them, then
// a 20-byte trailer: the magic number, the directory's offset, the total size,
// a version and a CRC-32, each a little-endian 32-bit number. The directory is
// a count, then per file its name (a length, the text and a NUL), offset,
// length and flags; the count and each name's length are in the engine's
// compact index encoding, and the name's length counts its NUL.
//
// Everything is checked before a caller sees one file: the trailer, every
// size and offset, the checksum over all bytes before the trailer, and every
// name, which must stay inside the game folder and appear once. Any fault
// raises PackageRefusal.
class UmodArchive {
public:
    static UmodArchive read(std::string_view bytes);

    std::uint32_t version() const { return m_version; }
    const std::vector<PackedFile>& files() const { return m_files; }

    // The file of that name as Windows compares names, or nullptr.
    const PackedFile* find(std::string_view name) const;

    // The package's own description, System\Manifest.ini and .int, which the
    // package marks with flags 3: read by the installer, never copied.
    static bool describesPackage(const PackedFile& file);

private:
    std::uint32_t m_version = 0;
    std::vector<PackedFile> m_files;
};

}  // namespace kestrix
