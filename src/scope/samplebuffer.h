#pragma once
// The uploaded sample buffer: 8,192 bytes; data that would go beyond it is not stored.
#include <array>
#include <cstdint>

#include "scope/scopeobjects.h"

class CSampleBuffer {
public:
    void Clear() { used_ = 0; }
    // False (nothing stored) when the bytes do not fit.
    bool Append(const std::uint8_t* data, int count);
    const std::uint8_t* Data() const { return bytes_.data(); }
    int Used() const { return used_; }

private:
    std::array<std::uint8_t, scope::kBufferBytes> bytes_{};
    int used_ = 0;
};
