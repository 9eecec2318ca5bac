#pragma once

#include <string_view>

namespace kestrix::FilePattern {

// Whether a file name matches a pattern of "*" (any run of characters) and "?"
// (any one character), letter case ignored as Windows does, so that
// "*.umod" lists Foo.UMOD too.
bool matches(std::string_view name, std::string_view pattern);

}  // namespace kestrix::FilePattern
