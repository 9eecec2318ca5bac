#pragma once

#include <QString>
#include <string>

namespace kestrix {

// The one place where the system's 8-bit texts (paths, package names,
// messages) become Qt's strings and back. Every Qt view and service converts
// here and nowhere else, so that the code page is settled in one place.
QString toQt(const std::string& text);
std::string fromQt(const QString& text);

}  // namespace kestrix
