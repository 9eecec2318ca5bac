#include "manifest/FileEntry.h"

#include <algorithm>
#include <vector>

#include "manifest/ManifestText.h"
#include "platform/WindowsPath.h"

namespace kestrix {

namespace {

constexpr std::string_view prefix = "File=";

// Windows drops dots and blanks at the end of a name, so a name of dots and
// blanks alone may reach the parent folder as ".." does. No game file is named
// so, and refusing them costs nothing.
bool climbsUp(std::string_view name) {
    return name.find_first_not_of(". ") == std::string_view::npos &&
           std::count(name.begin(), name.end(), '.') >= 2;
}

// Windows reserves these names in every folder, with any extension and in
// any letter case, for devices.
bool isDeviceName(std::string_view name) {
    std::string stem(ManifestText::withoutTrailingBlanks(name.substr(0, name.find('.'))));
    for (char& c : stem) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
        return true;
    }
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool FileEntry::isStructure(std::string_view path) {
    return path.starts_with('(') && path.ends_with(')');
}

bool FileEntry::namesPossibleFile(std::string_view path) {
    const bool forbidden = std::any_of(path.begin(), path.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
    });
    const std::vector<std::string> names = WindowsPath::components(path);
    return !isStructure(path) && !forbidden &&
           std::none_of(names.begin(), names.end(), isDeviceName);
}

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

std::string FileEntry::sameFileKey(std::string_view path) {
    std::string key;
    for (const std::string& name : WindowsPath::components(path)) {
        if (name != ".") {
            if (!key.empty()) {
                key.push_back('\\');
            }
            key += WindowsPath::foldCase(name);
        }
    }
    return key;
}

}  // namespace kestrix
