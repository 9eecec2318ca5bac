#include "platform/win/WinTempFolder.h"

#include <windows.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "platform/win/Utf16.h"

namespace kestrix {

namespace fs = std::filesystem;

namespace {

// fs::remove_all stops at a read-only file, which Windows will not delete.
void makeAllWritable(const fs::path& folder) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        setReadOnly(it->path(), false);
    }
}

}  // namespace

WinTempFolder::WinTempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, temp) == 0) {
        throw std::runtime_error("no temporary folder");
    }
    const std::wstring stem = L"kestrix-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (unsigned attempt = GetTickCount();; ++attempt) {
        const fs::path candidate = fs::path(temp) / (stem + std::to_wstring(attempt));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            m_path = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot make a temporary folder");
        }
    }
}

WinTempFolder::~WinTempFolder() {
    // A program a test started may still be running from the folder, and
    // Windows keeps a running program's file: wait for it a while.
    for (int attempt = 0; attempt < 100; ++attempt) {
        makeAllWritable(m_path);
        std::error_code error;
        fs::remove_all(m_path, error);
        if (!error) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string WinTempFolder::text() const {
    return Utf16::describe(m_path.native());
}

void writeBytes(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void setReadOnly(const fs::path& path, bool readOnly) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    // "Normal" stands alone, and no attributes at all would change nothing.
    const DWORD others =
        attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_NORMAL);
    const DWORD wanted = readOnly ? (others | FILE_ATTRIBUTE_READONLY) : others;
    SetFileAttributesW(path.c_str(), wanted == 0 ? FILE_ATTRIBUTE_NORMAL : wanted);
}

bool isReadOnly(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace kestrix
