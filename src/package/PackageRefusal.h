#pragma once

#include <stdexcept>
#include <string>

namespace kestrix {

// Why a package cannot be installed, in words fit for the user. Raised before
// anything is written.
class PackageRefusal : public std::runtime_error {
public:
    explicit PackageRefusal(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace kestrix
