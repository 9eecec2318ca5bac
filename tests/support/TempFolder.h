#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrix {

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
public:
    // A random name, made the same way on Linux and on Windows, which has no
    // mkdtemp; create_directory refuses a name that is taken.
    TempFolder() {
        const std::filesystem::path made = std::filesystem::temp_directory_path() /
                                           ("kestrix-" + std::to_string(std::random_device()()));
        if (!std::filesystem::create_directory(made)) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        m_path = std::filesystem::canonical(made).make_preferred();
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Writes bytes exactly, creating the folders on the way.
inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace kestrix
