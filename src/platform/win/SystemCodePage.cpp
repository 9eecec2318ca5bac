#include <windows.h>

#include "platform/CodePage.h"

namespace kestrix {

// The ANSI code page, in which Windows hands 8-bit programs such as the
// game's tools their texts.
const CodePage& CodePage::system() {
    static const CodePage& chosen = forNumber(GetACP());
    return chosen;
}

}  // namespace kestrix
