#include "platform/WindowsPath.h"

#include <algorithm>

namespace kestrix::WindowsPath {

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string foldCase(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return foldCase(c); });
    return folded;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldCase(x) == foldCase(y); });
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> components(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end])) {
            ++end;
        }
        if (end > start) {
            names.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

std::optional<char> driveLetter(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') {
        return std::nullopt;
    }
    const char c = path[0];
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    if (c >= 'A' && c <= 'Z') {
        return c;
    }
    return std::nullopt;
}

}  // namespace kestrix::WindowsPath
