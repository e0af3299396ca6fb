#include "reply_fuzz.h"

#include <QCanBusFrame>
#include <algorithm>
#include <deque>

#include "comm/can/replyframe.h"
#include "comm/protocol.h"

namespace {

constexpr int kAddress = 1;
constexpr int kMaxExchanges = 8;
const std::uint8_t kCommands[] = {sdo::Read,        sdo::Write1,     sdo::Write2, sdo::Write4,
                                  sdo::SegmentEven, sdo::SegmentOdd, 0x00,        0xFF};

void Check(bool rule) {
    if (!rule)
        __builtin_trap();  // libFuzzer reports it with the input
}

// The fuzz input, taken from the front.
struct Input {
    const std::uint8_t* data;
    std::size_t left;
    std::uint8_t Byte() {
        if (left == 0)
            return 0;
        --left;
        return *data++;
    }
    std::uint32_t Bytes(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | Byte();
        return value;
    }
};

class InputSerial final : public CCommObject {
public:
    explicit InputSerial(Input& input) : input_(input) {}
    int Open(const CommSettings&) override { return 0; }
    int Write(const std::uint8_t*, int) override { return input_.left == 0 ? 5 : 0; }
    int Read(std::uint8_t* buffer10, int* count) override {
        const int n = std::min<int>({input_.Byte(), 10, int(input_.left)});
        for (int i = 0; i < n; ++i) buffer10[i] = input_.Byte();
        *count = n;
        return 0;
    }
    int Reserved() override { return 0; }
    void Close() override {}
    void Release() override { delete this; }

private:
    Input& input_;
};

class InputCan final : public CCanObject {
public:
    explicit InputCan(Input& input) : input_(input) {}
    int Open(const CommSettings&) override { return 0; }
    int Write(const CanMessage&) override { return input_.left == 0 ? 1 : 0; }
    // The frames that arrived meanwhile pass the component's filter; the first taken is the reply.
    int Read(CanMessage& message) override {
        for (int frames = input_.Byte() % 4; frames >= 0 && input_.left > 0; --frames) {
            CanMessage taken;
            if (TakeReplyFrame(NextFrame(), 0x580 + kAddress, taken)) {
                Check(taken.length <= 8 && taken.id == 0x580 + kAddress);
                message = taken;
                return 0;
            }
        }
        return 1;
    }
    int GetVersion(char*) override { return 0; }
    int Reserved() override { return 0; }
    void Close() override {}
    void Release() override { delete this; }

private:
    QCanBusFrame NextFrame() {
        const std::uint8_t flags = input_.Byte();
        const bool extended = flags & 1;
        const auto type = static_cast<QCanBusFrame::FrameType>((flags >> 1 & 7) % 5);
        QCanBusFrame frame(type, QByteArray());
        frame.setExtendedFrameFormat(extended);
        frame.setFrameId(extended ? input_.Bytes(4) & 0x1FFFFFFF : input_.Bytes(2) & 0x7FF);
        frame.setFlexibleDataRateFormat(flags & 0x10);
        QByteArray payload;
        for (int n = input_.Byte() % 65; n > 0 && input_.left > 0; --n)
            payload += char(input_.Byte());
        frame.setPayload(payload);
        return frame;
    }

    Input& input_;
};

// Requests as the worker sends them and the results as the pages read them.
void Exchange(CProtocol& protocol, Input& input) {
    for (int n = 0; n < kMaxExchanges && input.left > 0; ++n) {
        const std::uint8_t command = kCommands[input.Byte() % 8];
        protocol.retryOnSendFailure = input.Byte() & 1;
        if (protocol.Transact(0x604100, command, 0x1234) != 0)
            continue;
        std::uint8_t status = 0xFF;
        std::int32_t value = 0;
        Check(protocol.GetResult(status, value) == 1);
        Check(status <= CProtocol::Undecoded);
        if (status != CProtocol::Segment)
            continue;
        const std::uint8_t* bytes = nullptr;
        std::uint8_t count = 0xFF;
        protocol.GetSegment(bytes, count);
        Check(bytes != nullptr && count <= 7);
        volatile std::uint8_t sum = 0;
        for (int i = 0; i < count; ++i) sum = sum + bytes[i];  // within the reply
    }
}

// One protocol per link kind for the whole run, as the worker has.
CProtocol& Protocol(int kind) {
    auto make = [](int k) {
        // No component in this folder: each input attaches its own object.
        auto* protocol = new CProtocol(QStringLiteral("/nonexistent/"));
        protocol->SetLinkKind(k);
        protocol->SetDriveAddress(kAddress);
        return protocol;
    };
    static CProtocol* serial = make(CComm::Serial);
    static CProtocol* can = make(CComm::Can);
    return kind == CComm::Serial ? *serial : *can;
}

}  // namespace

int FuzzSerialReply(const std::uint8_t* data, std::size_t size) {
    Input input{data, size};
    CProtocol& protocol = Protocol(CComm::Serial);
    protocol.Comm().Attach(new InputSerial(input));
    Exchange(protocol, input);
    protocol.Comm().Attach(static_cast<CCommObject*>(nullptr));
    return 0;
}

int FuzzCanReply(const std::uint8_t* data, std::size_t size) {
    Input input{data, size};
    CProtocol& protocol = Protocol(CComm::Can);
    protocol.Comm().Attach(new InputCan(input));
    Exchange(protocol, input);
    protocol.Comm().Attach(static_cast<CCanObject*>(nullptr));
    return 0;
}
