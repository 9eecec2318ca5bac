#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// X11's STRING target is ISO Latin-1 by definition; old clients that ask only
// for it get the text in that form, or nothing when it has characters that
// Latin-1 lacks (a wrong text pasted is worse than none).
std::optional<std::string> utf8ToLatin1(std::string_view utf8);

}  // namespace kestrix
