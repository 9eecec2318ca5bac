#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

class CodePage;

// One name of a Linux file as a Windows program sees it under Wine: Wine
// keeps the names in UTF-8, so "é.utx" on disk is "\xE9.utx" in Windows-1252.
//
// A disk name that is not UTF-8 must still open, so its stray bytes are
// written as "?" and two upper-case hexadecimal digits, "Caf?E9" for the
// Latin-1 bytes "Caf\xE9". No Windows name can hold "?", which makes the
// escape unambiguous: a "?" of the disk name is escaped too ("?3F"), and so
// is a "\", which Linux allows in a name and Windows reads as a separator.
// The mapping is thus one-to-one, and every disk name maps back to its own
// bytes.
//
// A name with a character that the code page has no byte for (a Cyrillic name
// under Windows-1252) has no Windows text: it is never replaced by a look-alike
// that could name another file.
class UnixFileName {
public:
    // The Windows text of a disk name, or nothing when the code page cannot
    // write one of its characters.
    static std::optional<std::string> toWindows(std::string_view diskName,
                                                const CodePage& codePage);

    // The disk name a Windows text stands for. An escape that toWindows would
    // not have written (a "?" without two hexadecimal digits, or one that
    // spells valid UTF-8) is no escape: the text is then read as it stands,
    // so that no text reaches a name whose own Windows text differs from it.
    static std::string fromWindows(std::string_view windowsName, const CodePage& codePage);

    // The disk name for a message in the code page: what it can write as it
    // is, each other character as "<U+0416>" and each stray byte as its
    // escape, so that the user can tell which name is meant.
    static std::string describe(std::string_view diskName, const CodePage& codePage);
};

}  // namespace kestrix
