#include "manifest/FileEntry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "manifest/ManifestText.h"
#include "platform/CodePage.h"
#include "platform/WindowsPath.h"

namespace kestrix {

namespace {

// WindowsPath's rules, written out here so that the loops over the millions
// of paths of a large manifest do not make two calls for every character.
constexpr bool isSeparator(char c) {
    return c == '\\' || c == '/';
}
constexpr std::string_view prefix = "File=";

// Windows drops dots and blanks at the end of a name, so a name of dots and
// blanks alone may reach the parent folder as ".." does. No game file is named
// so, and refusing them costs nothing.
bool climbsUp(std::string_view name) {
    return name.find_first_not_of(". ") == std::string_view::npos &&
           std::count(name.begin(), name.end(), '.') >= 2;
}

// Where the name that ends at end begins: after the last separator before it.
// Eight bytes at a time until a word holds a separator, since this runs on
// every File= line of the manifest.
std::size_t nameStart(std::string_view path, std::size_t end) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Fu;
    // Whether a byte of v is zero, without carries from one byte to the next.
    const auto holdsZero = [](std::uint64_t v) { return ~(((v & low7) + low7) | v | low7) != 0; };
    while (end >= sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, path.data() + end - sizeof word, sizeof word);
        if (holdsZero(word ^ (ones * '\\')) || holdsZero(word ^ (ones * '/'))) {
            break;
        }
        end -= sizeof word;
    }
    while (end > 0 && !isSeparator(path[end - 1])) {
        --end;
    }
    return end;
}

// The bytes of a word beyond ASCII in lower case, as the code page folds
// them; ASCII letters are left to the hash's own folding.
std::uint64_t foldedBeyondAscii(std::uint64_t word, const CodePage& codePage) {
    constexpr std::uint64_t highBits = 0x8080808080808080u;
    if ((word & highBits) == 0) {
        return word;
    }
    std::uint64_t folded = 0;
    for (unsigned shift = 0; shift < 64; shift += 8) {
        const auto byte = static_cast<char>((word >> shift) & 0xFF);
        const auto lower = static_cast<unsigned char>(
            static_cast<unsigned char>(byte) < 0x80 ? byte : codePage.foldCase(byte));
        folded |= static_cast<std::uint64_t>(lower) << shift;
    }
    return folded;
}

}  // namespace

std::optional<std::string_view> FileEntry::pathOf(std::string_view line) {
    line = ManifestText::withoutLeadingBlanks(line);
    if (!line.starts_with(prefix)) {
        return std::nullopt;
    }
    return ManifestText::withoutTrailingBlanks(line.substr(prefix.size()));
}

bool FileEntry::staysInside(std::string_view path) {
    if (path.empty() || WindowsPath::isSeparator(path.front()) ||
        path.find_first_of(std::string_view(":\0", 2)) != std::string_view::npos) {
        return false;
    }
    const std::vector<std::string> names = WindowsPath::components(path);
    const auto isHere = [](const std::string& name) { return name == "."; };
    return !std::all_of(names.begin(), names.end(), isHere) &&
           std::none_of(names.begin(), names.end(),
                        [](const std::string& name) { return climbsUp(name); });
}

void FileEntry::sameFileKey(std::string_view path, std::string& key) {
    const CodePage& codePage = CodePage::system();
    key.clear();
    std::size_t begin = 0;
    while (begin < path.size()) {
        std::size_t end = begin;
        while (end < path.size() && !isSeparator(path[end])) {
            ++end;
        }
        const std::string_view name = path.substr(begin, end - begin);
        if (!name.empty() && name != ".") {
            if (!key.empty()) {
                key.push_back('\\');
            }
            for (const char c : name) {
                key.push_back(codePage.foldCase(c));
            }
        }
        begin = end + 1;
    }
}

std::uint32_t FileEntry::nameHash(std::string_view path) {
    std::size_t end = path.size();
    std::size_t begin = end;
    for (;;) {
        while (end > 0 && isSeparator(path[end - 1])) {
            --end;
        }
        begin = nameStart(path, end);
        if (path.substr(begin, end - begin) != ".") {
            break;
        }
        end = begin;
    }
    // Eight bytes at a time, each with its 0x20 bit set: that makes upper and
    // lower case ASCII letters equal, and the few other characters it merges
    // only cost a closer look at a path that is not the one sought. Letters
    // beyond ASCII are folded by the code page first, since their two cases
    // need not differ in that bit alone ("\x8A" and "\x9A" are "Š" and "š").
    constexpr std::uint64_t lowerCase = 0x2020202020202020u;
    const CodePage& codePage = CodePage::system();
    const char* name = path.data() + begin;
    const std::size_t length = end - begin;
    std::uint64_t hash = length;
    const auto mix = [&hash, &codePage](std::uint64_t word) {
        hash = (hash ^ (foldedBeyondAscii(word, codePage) | lowerCase)) * 0x9E3779B97F4A7C15u;
    };
    if (length >= sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        for (std::size_t at = 0; at + sizeof word < length; at += sizeof word) {
            std::memcpy(&word, name + at, sizeof word);
            mix(word);
        }
        // The last eight, overlapping the word before when the length is not
        // a multiple of eight.
        std::memcpy(&word, name + length - sizeof word, sizeof word);
        mix(word);
    } else {
        std::uint64_t word = 0;
        for (std::size_t at = 0; at < length; ++at) {
            word = (word << 8) | static_cast<unsigned char>(name[at]);
        }
        mix(word);
    }
    return static_cast<std::uint32_t>(hash >> 32);
}

}  // namespace kestrix
