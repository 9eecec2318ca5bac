#pragma once

#include <stdexcept>
#include <string>

namespace kestrix {

// An error raised by a platform operation: a number from ErrorNumber and a
// description fit to show the user. Handlers trap it or let the guard hand it
// to FatalErrorReport; it never crosses the event loop.
class PlatformError : public std::runtime_error {
public:
    // The runtime's standard description for the number.
    explicit PlatformError(int number);
    PlatformError(int number, const std::string& description);

    int number() const { return m_number; }
    const std::string& description() const { return m_description; }

    static std::string standardDescription(int number);

private:
    int m_number;
    std::string m_description;
};

}  // namespace kestrix
