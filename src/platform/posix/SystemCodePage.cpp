#include <cstdlib>

#include "platform/CodePage.h"

namespace kestrix {

// Wine takes the ANSI code page from the locale of character types, so the
// same variables decide here, in the C library's order; a user without any
// has the "C" locale, which Wine runs as US English.
const CodePage& CodePage::system() {
    static const CodePage& chosen = []() -> const CodePage& {
        for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* value = std::getenv(variable);
            if (value != nullptr && *value != '\0') {
                return forLocale(value);
            }
        }
        return windows1252();
    }();
    return chosen;
}

}  // namespace kestrix
