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
