#pragma once

#include <string>

namespace kestrix {

// The program's message box: one text, an OK button, no icon, the title
// "KESTRIX". show() returns when the user has dismissed it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
};

}  // namespace kestrix
