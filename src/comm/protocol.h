#pragma once
// One object access of the drive as one SDO exchange (CiA 301 expedited and segmented
// transfer), framed for the serial line (10 bytes with checksum) or for CAN (0x600 + address).
#include <QString>
#include <atomic>
#include <cstdint>

#include "comm/comm.h"
#include "dictionary/sdocommand.h"

class CProtocol {
public:
    // Transact results besides 0.
    enum Result { NoObject = -1, BadReplies = 1, SendFailures = 2 };
    // GetResult status.
    enum Status { Value = 0, Segment = 1, Aborted = 2, Undecoded = 3 };

    explicit CProtocol(const QString& dataFolder);

    int Transact(std::int32_t key, std::uint8_t command, std::int32_t data);
    int GetResult(std::uint8_t& status, std::int32_t& value);
    void GetSegment(const std::uint8_t*& data, std::uint8_t& count);
    // Of the last reply, read like GetSegment: the segment's last-segment bit, and the data
    // size an upload reply with size indication (0x41) announced (-1 for any other reply).
    bool SegmentIsLast() const;
    std::int64_t AnnouncedSize() const;

    void SetDriveAddress(int address);
    int SetLinkKind(int kind);
    int Open(const CommSettings& settings);
    void Close();
    int GetVersion(char* buffer256);

    CComm& Comm() { return comm_; }
    const std::uint8_t* SerialRequest() const { return serialRequest_; }
    const CanMessage& CanRequest() const { return canRequest_; }

    // Cleared by batch pages that must not resend a refused frame.
    std::atomic<int> retryOnSendFailure{1};

    static std::uint8_t Checksum(const std::uint8_t* bytes9);

private:
    int SerialExchange(std::int32_t key, std::uint8_t command, std::int32_t data);
    int CanExchange(std::int32_t key, std::uint8_t command, std::int32_t data);
    int Exchange(std::int32_t key, std::uint8_t command, std::int32_t data);
    std::uint8_t ReplyCode() const;
    std::uint8_t RequestCommand() const;
    const std::uint8_t* ReplyValue() const;  // the four value bytes

    std::atomic<int> linkKind_{CComm::Offline};
    std::uint8_t status_ = Undecoded;
    std::int32_t value_ = 0;
    std::uint8_t badReplies_ = 0;
    std::uint8_t sendFailures_ = 0;
    bool replyTaken_ = false;  // the current exchange received a reply
    CComm comm_;
    CanMessage canRequest_;
    CanMessage canReply_;
    std::uint8_t serialRequest_[10] = {};
    std::uint8_t serialReply_[10] = {};
    std::atomic<int> driveAddress_{0};
};
