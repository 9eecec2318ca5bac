#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

class CodePage;

// How the bytes of a manifest spell its text, decided as the game decides it
// when it reads its text files: a UTF-16LE byte-order mark means UTF-16LE;
// text that is valid UTF-8 and holds at least one multi-byte sequence means
// UTF-8, with or without a mark; anything else is the system's 8-bit code
// page. Listing and removal both read through this one decision, so that a
// name the list shows is the name the removal finds.
//
// The line rules read the text as 8-bit characters in which ASCII stands for
// itself; code page and UTF-8 text are that already. The names and paths the
// rest of the program handles are code page texts: this is where the two meet.
class ManifestEncoding {
public:
    enum class Form { CodePage, Utf8, Utf16Le };

    static ManifestEncoding of(std::string_view bytes, const CodePage& codePage);

    Form form() const { return m_form; }

    // Whether the line rules need textOf's copy rather than the bytes.
    bool needsDecoding() const { return m_form == Form::Utf16Le; }

    // UTF-16LE bytes as UTF-8, the mark as UTF-8's mark and each unpaired
    // surrogate as its own three bytes, so that bytesOf gives back the file
    // byte for byte. A UTF-16 text of an odd number of bytes raises
    // PathFileAccessError: its last character is cut, and rewriting it would
    // lose it.
    std::string textOf(std::string_view bytes) const;
    // The inverse of textOf, for the lines a rewrite keeps.
    std::string bytesOf(std::string_view text) const;

    // A name or path of the text as a code page text; nothing when the code
    // page has no character for one of its letters.
    std::optional<std::string> toCodePage(std::string_view text) const;
    // The same for the windows and messages, which must show every name:
    // a letter the code page lacks is spelled as its number ("<U+0416>").
    std::string forWindow(std::string_view text) const;
    // Whether the window shows the text as windowText, without building the
    // code page's copy where the text already is one.
    bool showsAs(std::string_view text, std::string_view windowText) const;

private:
    ManifestEncoding(Form form, const CodePage& codePage) : m_form(form), m_codePage(&codePage) {}

    Form m_form;
    const CodePage* m_codePage;
};

}  // namespace kestrix
