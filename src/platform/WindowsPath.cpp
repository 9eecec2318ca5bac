#include "platform/WindowsPath.h"

#include "platform/CodePage.h"

namespace kestrix::WindowsPath {

char foldCase(char c) {
    return CodePage::system().foldCase(c);
}

std::string foldCase(std::string_view text) {
    return CodePage::system().foldCase(text);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return CodePage::system().equalsIgnoringCase(a, b);
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

char upperCaseLetter(char letter) {
    return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

std::optional<char> driveLetter(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') {
        return std::nullopt;
    }
    const char letter = upperCaseLetter(path[0]);
    if (letter >= 'A' && letter <= 'Z') {
        return letter;
    }
    return std::nullopt;
}

}  // namespace kestrix::WindowsPath
