#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// A "File=" line of a section: the path of an installed file, relative to the
// game folder. "[RefCounts]" lines such as "File:System\De.u=2" are counts,
// not entries.
class FileEntry {
public:
    // The text after "File=", blanks and tabs at its end set aside; blanks and
    // tabs in front of "File=" are passed over as in a header.
    static std::optional<std::string_view> pathOf(std::string_view line);

    // Whether the path, joined to the game folder, names something inside it
    // by its text alone: not empty or the game folder itself ("."), not absolute ("\x", "/x",
    // "\\server"), no drive or other ":", no ".." component, no NUL (which would cut the path short
    // on its way to the file system). Links are the caller's to check against the disk.
    static bool staysInside(std::string_view path);

    // A value of the distribution's form, "(Src=System\De.u,Size=72169)": a
    // structure in parentheses, not a path.
    static bool isStructure(std::string_view path);

    // Whether the path, joined to the game folder, could name a file at all:
    // not a structure, no character that Windows forbids in names (control
    // characters, <>:"/|?* apart from the separators), no device name (CON,
    // NUL, COM1... with or without an extension). Entries that fail keep no
    // file, so they never stand in a removal's way.
    static bool namesPossibleFile(std::string_view path);

    // The form in which two paths naming the same file on Windows are equal:
    // the names between separators ("\" or "/"), without empty and "." ones,
    // in lower case (as the system's code page folds it), joined by "\".
    static std::string sameFileKey(std::string_view path);
};

}  // namespace kestrix
