#pragma once
// Which frames of the bus the CAN component hands to the protocol as replies of the drive.
#include <QCanBusFrame>
#include <cstdint>

#include "comm/commobject.h"

// True when `frame` is a valid standard data frame with the identifier `replyId`; `message`
// then holds it in PEAK's layout (at most eight payload bytes, the rest zero).
bool TakeReplyFrame(const QCanBusFrame& frame, std::uint32_t replyId, CanMessage& message);
