#include "platform/FilePattern.h"

#include "platform/WindowsPath.h"

namespace kestrix::FilePattern {

bool matches(std::string_view name, std::string_view pattern) {
    // Greedy match with one backtrack point: the position after the last "*".
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' ||
                    WindowsPath::foldCase(pattern[p]) == WindowsPath::foldCase(name[n]))) {
            ++n;
            ++p;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace kestrix::FilePattern
