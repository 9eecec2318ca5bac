#pragma once

#include <QString>
#include <optional>
#include <string>

namespace kestrix {

// The one place where the system's 8-bit texts (paths, package names,
// messages), which are in the system's code page, become Qt's strings and
// back. Every Qt view and service converts here and nowhere else, so that
// the code page is settled in one place.
QString toQt(const std::string& text);

// Nothing when the code page cannot write one of the text's characters: a
// look-alike put in its place would name another package or file.
std::optional<std::string> fromQt(const QString& text);

// For a text that must come through whatever it holds (a message, or a typed
// name that then matches nothing): each character the code page lacks
// written as its number ("<U+0416>").
std::string describeFromQt(const QString& text);

}  // namespace kestrix
