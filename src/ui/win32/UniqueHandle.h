#pragma once

#include <utility>

namespace kestrix {

// Owns one Windows handle and gives it back to the system when it goes: every
// handle the Win32 side opens is held by one of these, so that an error thrown
// between opening and closing leaks nothing. Close is the function that gives
// it back; Invalid the value that holds nothing.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Invalid; }

    Handle release() { return std::exchange(m_handle, Invalid); }
    void reset(Handle handle = Invalid) {
        const Handle old = std::exchange(m_handle, handle);
        if (old != Invalid) {
            Close(old);
        }
    }

private:
    Handle m_handle = Invalid;
};

}  // namespace kestrix
