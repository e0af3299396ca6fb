#include "scope/samplebuffer.h"

#include <algorithm>

bool CSampleBuffer::Append(const std::uint8_t* data, int count) {
    if (count < 0 || count > scope::kBufferBytes - used_)
        return false;
    if (count > 0)
        std::copy_n(data, count, bytes_.begin() + used_);
    used_ += count;
    return true;
}
