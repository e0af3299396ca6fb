#include "comm/protocol.h"

#include <cstring>

namespace {

constexpr int kFrameSize = 10;
constexpr int kMaxBadReplies = 2;  // the third bad reply ends the exchange
constexpr int kMaxSendFailures = 2;
constexpr std::uint32_t kRequestId = 0x600;

std::int32_t Little32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(p[0] | p[1] << 8 | p[2] << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

void PutRequest(std::uint8_t* out, std::uint8_t command, std::int32_t key, std::int32_t data) {
    out[0] = command;
    out[1] = static_cast<std::uint8_t>(key >> 8);
    out[2] = static_cast<std::uint8_t>(key >> 16);
    out[3] = static_cast<std::uint8_t>(key);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(data >> (8 * i));
}

}  // namespace

CProtocol::CProtocol(const QString& dataFolder) : comm_(dataFolder) {}

std::uint8_t CProtocol::Checksum(const std::uint8_t* bytes9) {
    std::uint8_t sum = 0;
    for (int i = 0; i < 9; ++i) sum += bytes9[i];
    return static_cast<std::uint8_t>(-sum);
}

void CProtocol::SetDriveAddress(int address) {
    driveAddress_ = address;
}

int CProtocol::SetLinkKind(int kind) {
    linkKind_ = kind;
    return comm_.Load(kind);
}

int CProtocol::Open(const CommSettings& settings) {
    return comm_.Open(&settings);
}
void CProtocol::Close() {
    comm_.Close();
}
int CProtocol::GetVersion(char* buffer256) {
    return comm_.GetVersion(buffer256);
}

// A frame counts as a reply only when all ten bytes arrived and they add up to zero; a wait
// that ends with nothing (or a torn frame) is a failed reply like a bad checksum, so a silent
// drive ends the exchange instead of decoding an all-zero buffer.
int CProtocol::SerialExchange(std::int32_t key, std::uint8_t command, std::int32_t data) {
    serialRequest_[0] = static_cast<std::uint8_t>(driveAddress_.load());
    PutRequest(serialRequest_ + 1, command, key, data);
    serialRequest_[9] = Checksum(serialRequest_);
    badReplies_ = sendFailures_ = 0;
    for (;;) {
        if (comm_.Write(serialRequest_, kFrameSize) != 0) {
            if (!retryOnSendFailure)
                return 0;
            ++sendFailures_;
        } else {
            std::memset(serialReply_, 0, sizeof serialReply_);
            int count = 0;
            comm_.Read(serialReply_, &count);
            if (count == kFrameSize && Checksum(serialReply_) == serialReply_[9]) {
                replyTaken_ = true;
                return 0;
            }
            ++badReplies_;
        }
        if (badReplies_ > kMaxBadReplies)
            return BadReplies;
        if (sendFailures_ > kMaxSendFailures)
            return SendFailures;
    }
}

// The component hands over only frames of the drive; no frame within the wait is a failed
// reply and the request goes out again.
int CProtocol::CanExchange(std::int32_t key, std::uint8_t command, std::int32_t data) {
    canRequest_ = CanMessage{};
    canRequest_.id = kRequestId + static_cast<std::uint32_t>(driveAddress_.load());
    canRequest_.length = 8;
    PutRequest(canRequest_.data, command, key, data);
    badReplies_ = sendFailures_ = 0;
    for (;;) {
        while (comm_.Write(canRequest_) != 0) {
            if (!retryOnSendFailure)
                return 0;
            if (++sendFailures_ > kMaxSendFailures)
                return SendFailures;
        }
        canReply_ = CanMessage{};
        if (comm_.Read(canReply_) == 0) {
            replyTaken_ = true;
            return 0;
        }
        canReply_ = CanMessage{};
        if (++badReplies_ > kMaxBadReplies)
            return BadReplies;
    }
}

int CProtocol::Exchange(std::int32_t key, std::uint8_t command, std::int32_t data) {
    int kind = linkKind_;
    if (kind != CComm::Serial && kind != CComm::Can)
        return NoObject;
    if (!comm_.HasObject(kind))
        return NoObject;
    replyTaken_ = false;
    return kind == CComm::Serial ? SerialExchange(key, command, data)
                                 : CanExchange(key, command, data);
}

// A refused download is answered with the object's current value.
int CProtocol::Transact(std::int32_t key, std::uint8_t command, std::int32_t data) {
    int result = Exchange(key, command, data);
    if (result == 0 && replyTaken_ && ReplyCode() == sdo::Abort && (command & 0xE0) == 0x20)
        return Exchange(key, sdo::Read, data);
    return result;
}

std::uint8_t CProtocol::ReplyCode() const {
    return linkKind_ == CComm::Serial ? serialReply_[1] : canReply_.data[0];
}

std::uint8_t CProtocol::RequestCommand() const {
    return linkKind_ == CComm::Serial ? serialRequest_[1] : canRequest_.data[0];
}

const std::uint8_t* CProtocol::ReplyValue() const {
    return linkKind_ == CComm::Serial ? serialReply_ + 5 : canReply_.data + 4;
}

int CProtocol::GetResult(std::uint8_t& status, std::int32_t& value) {
    int kind = linkKind_;
    if (kind != CComm::Serial && kind != CComm::Can)
        return 0;
    const std::uint8_t code = ReplyCode();
    const std::uint8_t* v = ReplyValue();
    status_ = Undecoded;
    if (code == sdo::Abort) {
        status_ = Aborted;
        value_ = Little32(v);
    } else {
        switch (RequestCommand()) {
            case sdo::Write4:
                status_ = Value, value_ = Little32(v);
                break;
            case sdo::Write2:
                status_ = Value, value_ = v[0] | v[1] << 8;
                break;
            case sdo::Write1:
                status_ = Value, value_ = v[0];
                break;
            case sdo::Read:
                if (code == 0x43)
                    status_ = Value, value_ = Little32(v);
                else if (code == 0x4B)
                    status_ = Value, value_ = v[0] | v[1] << 8;
                else if (code == 0x4F || code == 0x42 || code == 0x41)
                    status_ = Value, value_ = v[0];
                break;
            case sdo::SegmentEven:
            case sdo::SegmentOdd:
                status_ = Segment;
                break;
            default:
                break;
        }
    }
    status = status_;
    value = value_;
    return 1;
}

void CProtocol::GetSegment(const std::uint8_t*& data, std::uint8_t& count) {
    int kind = linkKind_;
    if (kind != CComm::Serial && kind != CComm::Can)
        return;
    data = kind == CComm::Serial ? serialReply_ + 2 : canReply_.data + 1;
    count = static_cast<std::uint8_t>(7 - ((ReplyCode() / 2) % 8));
}

bool CProtocol::SegmentIsLast() const {
    return (ReplyCode() & 0x01) != 0;
}

std::int64_t CProtocol::AnnouncedSize() const {
    if (ReplyCode() != 0x41)
        return -1;
    return static_cast<std::uint32_t>(Little32(ReplyValue()));
}
