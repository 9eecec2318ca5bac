#include "package/UmodArchive.h"

#include <set>

#include "manifest/FileEntry.h"
#include "package/Crc32.h"
#include "package/PackageRefusal.h"

namespace kestrix {

namespace {

constexpr std::uint32_t magic = 0x9FE3C5A3U;
constexpr std::size_t trailerSize = 20;
// No game file's name comes near this; a longer one is a damaged directory.
constexpr std::int64_t longestName = 1024;
constexpr std::uint32_t descriptionFlags = 3;

[[noreturn]] void damaged(const std::string& why) {
    throw PackageRefusal("The package is damaged: " + why + ".");
}

// Reads the directory, refusing anything that would run past its end.
class DirectoryCursor {
public:
    explicit DirectoryCursor(std::string_view bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_position == m_bytes.size(); }

    std::uint8_t byte() {
        if (atEnd()) {
            damaged("its directory ends too early");
        }
        return static_cast<std::uint8_t>(m_bytes[m_position++]);
    }

    std::uint32_t number() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            value |= static_cast<std::uint32_t>(byte()) << shift;
        }
        return value;
    }

    // The first byte holds the sign (0x80), whether more follow (0x40) and
    // six bits; each further byte whether more follow (0x80) and seven bits,
    // the fifth all eight.
    std::int64_t compactIndex() {
        const std::uint8_t first = byte();
        std::int64_t value = first & 0x3F;
        if ((first & 0x40) != 0) {
            int shift = 6;
            for (int index = 1; index < 5; ++index) {
                const std::uint8_t next = byte();
                const bool last = index == 4;
                value |= static_cast<std::int64_t>(last ? next : next & 0x7F) << shift;
                if (last || (next & 0x80) == 0) {
                    break;
                }
                shift += 7;
            }
        }
        return (first & 0x80) != 0 ? -value : value;
    }

    std::string_view text(std::size_t length) {
        if (m_bytes.size() - m_position < length) {
            damaged("its directory ends too early");
        }
        const std::string_view taken = m_bytes.substr(m_position, length);
        m_position += length;
        return taken;
    }

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

std::uint32_t numberAt(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
    }
    return value;
}

bool checksumMatches(std::uint32_t stored, std::string_view covered) {
    return stored == Crc32::engine(covered) || stored == Crc32::reflected(covered);
}

}  // namespace

UmodArchive UmodArchive::read(std::string_view bytes) {
    if (bytes.size() < trailerSize || numberAt(bytes, bytes.size() - trailerSize) != magic) {
        throw PackageRefusal("This is not a umod package.");
    }
    const std::size_t trailer = bytes.size() - trailerSize;
    const std::uint32_t directoryOffset = numberAt(bytes, trailer + 4);
    if (numberAt(bytes, trailer + 8) != bytes.size()) {
        damaged("its size is not the size it records");
    }
    if (directoryOffset > trailer) {
        damaged("its directory lies outside it");
    }
    // The public description has the checksum over everything before the
    // trailer, or over the files alone: either is taken.
    const std::uint32_t stored = numberAt(bytes, trailer + 16);
    if (!checksumMatches(stored, bytes.substr(0, trailer)) &&
        !checksumMatches(stored, bytes.substr(0, directoryOffset))) {
        damaged("its checksum does not match");
    }

    UmodArchive archive;
    archive.m_version = numberAt(bytes, trailer + 12);
    DirectoryCursor directory(bytes.substr(directoryOffset, trailer - directoryOffset));
    const std::int64_t count = directory.compactIndex();
    // Every entry takes at least 14 bytes, which bounds a sane count.
    if (count < 0 || count > static_cast<std::int64_t>(trailer - directoryOffset) / 14) {
        damaged("its directory counts " + std::to_string(count) + " files");
    }
    std::set<std::string> names;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t length = directory.compactIndex();
        if (length < 2 || length > longestName) {
            damaged("a file name in its directory has a length of " + std::to_string(length));
        }
        std::string_view name = directory.text(static_cast<std::size_t>(length));
        if (name.back() != '\0') {
            damaged("a file name in its directory does not end where its length says");
        }
        name.remove_suffix(1);
        const std::uint32_t offset = directory.number();
        const std::uint32_t size = directory.number();
        const std::uint32_t flags = directory.number();
        if (offset > directoryOffset || size > directoryOffset - offset) {
            damaged("the contents of " + std::string(name) + " lie outside its files");
        }
        if (!FileEntry::staysInside(name)) {
            throw PackageRefusal("The package names a file outside the game folder: " +
                                 std::string(name));
        }
        if (!names.insert(FileEntry::sameFileKey(name)).second) {
            damaged("it holds " + std::string(name) + " twice");
        }
        archive.m_files.push_back({std::string(name), bytes.substr(offset, size), flags});
    }
    if (!directory.atEnd()) {
        damaged("its directory runs on after its last file");
    }
    return archive;
}

const PackedFile* UmodArchive::find(std::string_view name) const {
    const std::string key = FileEntry::sameFileKey(name);
    for (const PackedFile& file : m_files) {
        if (FileEntry::sameFileKey(file.name) == key) {
            return &file;
        }
    }
    return nullptr;
}

bool UmodArchive::describesPackage(const PackedFile& file) {
    const std::string key = FileEntry::sameFileKey(file.name);
    return file.flags == descriptionFlags || key == "system\\manifest.ini" ||
           key == "system\\manifest.int";
}

}  // namespace kestrix
