#pragma once
// One move-only owner per Win32 handle kind, all from one small template: the handle is released
// exactly once, on every path, and copying is impossible.

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace qm::api {

// Traits give the handle type, its "no handle" value and how to release it.
template <typename Traits>
class TUniqueHandle {
public:
    using Type = typename Traits::Type;

    TUniqueHandle() = default;
    explicit TUniqueHandle(Type handle) : handle_(handle) {}
    ~TUniqueHandle() { reset(); }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Type get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    // For out-parameters of the creating call; whatever was held is released first.
    Type* put() {
        reset();
        return &handle_;
    }
    Type release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Type handle = Traits::Invalid()) {
        const Type old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Type handle_ = Traits::Invalid();
};

struct TFindTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { FindClose(handle); }
};
using TFindHandle = TUniqueHandle<TFindTraits>;

struct TFileTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { CloseHandle(handle); }
};
using TFileHandle = TUniqueHandle<TFileTraits>;

struct TRegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type key) { RegCloseKey(key); }
};
using TRegKey = TUniqueHandle<TRegKeyTraits>;

struct TFontTraits {
    using Type = HFONT;
    static Type Invalid() { return nullptr; }
    static void Close(Type font) { DeleteObject(font); }
};
using TFont = TUniqueHandle<TFontTraits>;

struct TCoTaskTextTraits {
    using Type = PWSTR;
    static Type Invalid() { return nullptr; }
    static void Close(Type text) { CoTaskMemFree(text); }
};
using TCoTaskText = TUniqueHandle<TCoTaskTextTraits>;

// A COM interface reference, released once.
template <typename Interface>
struct TComTraits {
    using Type = Interface*;
    static Type Invalid() { return nullptr; }
    static void Close(Type object) { object->Release(); }
};
template <typename Interface>
using TComPtr = TUniqueHandle<TComTraits<Interface>>;

// COM made usable on the calling thread (single-threaded apartment) for the owner's lifetime.
class TComApartment {
public:
    TComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComApartment() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace qm::api
