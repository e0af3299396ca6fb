#pragma once
// Server side of CiA 301 SDO: expedited upload and download, segmented upload, aborts.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include <QByteArray>

#include "objectaccess.h"

namespace vsim {

using SdoFrame = std::array<uint8_t, 8>;

class CSdoServer {
public:
    explicit CSdoServer(IObjectAccess& objects) : objects_(objects) {}

    // One request in, at most one reply out (a client abort gets none).
    std::optional<SdoFrame> Handle(const SdoFrame& request);
    // Returns an abort code for an object that is to be refused (fault injection), or 0.
    void SetRefusal(std::function<uint32_t(uint32_t key)> refusal) {
        refusal_ = std::move(refusal);
    }
    // Ends any segmented transfer (restart of the drive).
    void Reset() { transfer_ = Transfer{}; }

private:
    struct Transfer {
        bool active = false;
        bool sentLast = false;  // last segment sent; one empty trailing segment is still served
        uint32_t key = 0;
        QByteArray data;
        int position = 0;
        int toggle = 0;
    };

    SdoFrame Upload(uint32_t key);
    SdoFrame Download(const SdoFrame& request, uint32_t key);
    SdoFrame Segment(const SdoFrame& request);
    uint32_t CheckKey(uint32_t key) const;
    uint32_t DecodeDownload(const SdoFrame& request, const SimObject& o, int64_t& value) const;

    IObjectAccess& objects_;
    std::function<uint32_t(uint32_t)> refusal_;
    Transfer transfer_;
};

// Frame helpers shared with the tests.
SdoFrame AbortFrame(uint32_t key, uint32_t code);
uint32_t FrameKey(const SdoFrame& f);
uint32_t FrameData(const SdoFrame& f);

}  // namespace vsim
