#pragma once

#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace kestrix {

// Answers every message box at once and keeps its text.
class RecordingMessageBox : public MessageBox {
public:
    void show(const std::string& text) override { shown.push_back(text); }

    std::vector<std::string> shown;
};

}  // namespace kestrix
