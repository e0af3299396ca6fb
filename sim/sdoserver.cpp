#include "sdoserver.h"

#include <algorithm>

#include "abortcode.h"

namespace vsim {

namespace {

SdoFrame Reply(uint8_t code, uint32_t key, uint32_t data) {
    return {code,          uint8_t(key >> 8),  uint8_t(key >> 16),  uint8_t(key),
            uint8_t(data), uint8_t(data >> 8), uint8_t(data >> 16), uint8_t(data >> 24)};
}

uint32_t Truncate(int64_t value, int width) {
    return width >= 32 ? uint32_t(value) : uint32_t(value) & ((1u << width) - 1);
}

int64_t Extend(uint32_t raw, int width, bool isSigned) {
    if (width < 32)
        raw &= (1u << width) - 1;
    if (!isSigned)
        return raw;
    const uint32_t sign = 1u << (width - 1);
    return int64_t(raw ^ sign) - int64_t(sign);
}

}  // namespace

SdoFrame AbortFrame(uint32_t key, uint32_t code) {
    return Reply(0x80, key, code);
}

uint32_t FrameKey(const SdoFrame& f) {
    return uint32_t(f[1]) << 8 | uint32_t(f[2]) << 16 | f[3];
}

uint32_t FrameData(const SdoFrame& f) {
    return uint32_t(f[4]) | uint32_t(f[5]) << 8 | uint32_t(f[6]) << 16 | uint32_t(f[7]) << 24;
}

std::optional<SdoFrame> CSdoServer::Handle(const SdoFrame& request) {
    const uint32_t key = FrameKey(request);
    switch (request[0] >> 5) {
        case 1:
            transfer_ = Transfer{};
            return Download(request, key);
        case 2:
            transfer_ = Transfer{};
            return Upload(key);
        case 3:
            return Segment(request);
        case 4:  // the client gave up: no answer
            transfer_ = Transfer{};
            return std::nullopt;
        default:
            transfer_ = Transfer{};
            return AbortFrame(key, kAbortCommand);
    }
}

uint32_t CSdoServer::CheckKey(uint32_t key) const {
    if (objects_.Describe(key))
        return refusal_ ? refusal_(key) : 0;
    return objects_.IndexExists(uint16_t(key >> 8)) ? kAbortNoSubIndex : kAbortNoObject;
}

SdoFrame CSdoServer::Upload(uint32_t key) {
    if (uint32_t code = CheckKey(key))
        return AbortFrame(key, code);
    const SimObject& o = *objects_.Describe(key);
    ObjectValue value;
    if (uint32_t code = objects_.Read(key, value))
        return AbortFrame(key, code);
    if (value.isBytes || o.isString) {
        transfer_.active = true;
        transfer_.key = key;
        transfer_.data = value.isBytes ? value.bytes : o.text;
        return Reply(0x41, key, uint32_t(transfer_.data.size()));
    }
    const uint8_t code = o.width == 8 ? 0x4F : o.width == 16 ? 0x4B : 0x43;
    return Reply(code, key, Truncate(value.number, o.width));
}

uint32_t CSdoServer::DecodeDownload(const SdoFrame& request, const SimObject& o,
                                    int64_t& value) const {
    const uint8_t cmd = request[0];
    if (!(cmd & 0x02))
        return kAbortUnsupported;  // segmented download is not served
    if ((cmd & 0x01) && (4 - ((cmd >> 2) & 3)) * 8 != o.width)
        return kAbortLength;
    value = Extend(FrameData(request), o.width, o.isSigned);
    if (value > o.max)
        return kAbortValueHigh;
    if (value < o.min)
        return kAbortValueLow;
    return 0;
}

SdoFrame CSdoServer::Download(const SdoFrame& request, uint32_t key) {
    if (uint32_t code = CheckKey(key))
        return AbortFrame(key, code);
    const SimObject& o = *objects_.Describe(key);
    if (!o.writable)
        return AbortFrame(key, kAbortReadOnly);
    if (o.isString)
        return AbortFrame(key, kAbortUnsupported);
    int64_t value = 0, stored = 0;
    if (uint32_t code = DecodeDownload(request, o, value))
        return AbortFrame(key, code);
    if (uint32_t code = objects_.Write(key, value, stored))
        return AbortFrame(key, code);
    return Reply(0x60, key, Truncate(stored, o.width));
}

SdoFrame CSdoServer::Segment(const SdoFrame& request) {
    if (!transfer_.active)
        return AbortFrame(0, kAbortCommand);
    const int toggle = (request[0] >> 4) & 1;
    const uint32_t key = transfer_.key;
    if (toggle != transfer_.toggle) {
        transfer_ = Transfer{};
        return AbortFrame(key, kAbortToggleBit);
    }
    if (transfer_.sentLast) {
        // The last segment was full: a client that counts bytes asks once more; give it none.
        transfer_ = Transfer{};
        return Reply(uint8_t(toggle << 4 | 7 << 1 | 1), 0, 0);
    }
    const int n = std::min<int>(7, transfer_.data.size() - transfer_.position);
    const bool last = transfer_.position + n >= transfer_.data.size();
    SdoFrame reply{uint8_t(toggle << 4 | (7 - n) << 1 | (last ? 1 : 0)), 0, 0, 0, 0, 0, 0, 0};
    std::copy_n(transfer_.data.constData() + transfer_.position, n, reply.begin() + 1);
    transfer_.position += n;
    transfer_.toggle ^= 1;
    if (last && n < 7)
        transfer_ = Transfer{};
    if (last && n == 7)
        transfer_.sentLast = true;
    return reply;
}

}  // namespace vsim
