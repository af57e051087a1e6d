// Move-only owner of a Windows handle, freed by the function given as its second argument.
#pragma once

#include <utility>

namespace platform {

template <class Handle, auto Free>
class Unique {
public:
    explicit Unique(Handle handle = {}) : handle_(handle) {}
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { Reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void Reset(Handle handle = {}) {
        if (handle_) Free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

}  // namespace platform
