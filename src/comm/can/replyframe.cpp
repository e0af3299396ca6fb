#include "comm/can/replyframe.h"

#include <algorithm>

bool TakeReplyFrame(const QCanBusFrame& frame, std::uint32_t replyId, CanMessage& message) {
    if (!frame.isValid() || frame.frameType() != QCanBusFrame::DataFrame)
        return false;
    if (frame.hasExtendedFrameFormat() || frame.frameId() != replyId)
        return false;
    message = CanMessage{};
    message.id = frame.frameId();
    const QByteArray payload = frame.payload();
    message.length = static_cast<std::uint8_t>(std::min<qsizetype>(payload.size(), 8));
    for (int i = 0; i < message.length; ++i)
        message.data[i] = static_cast<std::uint8_t>(payload[i]);
    return true;
}
