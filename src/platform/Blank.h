#pragma once

namespace kestrix {

// A blank in a Windows text: what separates a command line's arguments and
// what may stand around a manifest's names.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace kestrix
