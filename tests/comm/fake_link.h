#pragma once
// Scripted link components for the protocol and worker tests. The test keeps the shared
// script; the component itself belongs to the CComm it is attached to.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "comm/commobject.h"

using Bytes = std::vector<std::uint8_t>;

// A serial frame with its checksum.
Bytes SerialFrame(std::uint8_t address, std::uint8_t code, std::int32_t key, std::int32_t value);
// A CAN reply of the drive at the address.
CanMessage CanReply(int address, std::uint8_t code, std::int32_t key, std::int32_t value);

// What the fake answers to one request: bytes (serial; empty = silence) or a message (CAN;
// none = silence), or a failed write.
struct FakeReply {
    Bytes bytes;
    std::optional<CanMessage> message;
    bool writeFails = false;
    bool readFails = false;  // the adapter vanished under the read
};

// The request as the fake saw it, whatever the framing.
struct SeenRequest {
    std::uint8_t command = 0;
    std::int32_t key = 0;
    std::int32_t data = 0;
    Bytes raw;  // serial: 10 bytes; CAN: id (4, LE) then 8 data bytes
};

class FakeScript {
public:
    // Scripted replies are used first, one per request; then the responder.
    void Push(FakeReply reply);
    void SetResponder(std::function<FakeReply(const SeenRequest&)> responder);
    // While held, a Read waits until Release (or Close) before answering.
    void Hold();
    void Release();
    bool WaitUntilHeld(int timeoutMs = 5000);  // a Read is waiting at the gate

    std::vector<SeenRequest> Requests() const;
    std::vector<std::int32_t> Keys() const;
    int Writes() const;
    int Reads() const;
    int Closes() const;

    // Used by the components.
    bool OnWrite(const SeenRequest& request);
    FakeReply OnRead(bool& closed);
    void OnOpen();
    void OnClose();

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<FakeReply> script_;
    std::function<FakeReply(const SeenRequest&)> responder_;
    std::vector<SeenRequest> requests_;
    std::optional<FakeReply> current_;
    bool hold_ = false;
    bool waiting_ = false;
    bool closed_ = false;
    int reads_ = 0;
    int closes_ = 0;
};

CCommObject* NewFakeSerial(std::shared_ptr<FakeScript> script);
CCanObject* NewFakeCan(std::shared_ptr<FakeScript> script);

// An in-memory drive: reads answer the stored value (code 0x43), writes store and confirm
// (0x60), keys in `refused` abort writes with 0x06010002.
struct FakeDrive {
    std::mutex mutex;
    std::vector<std::pair<std::int32_t, std::int32_t>> values;
    std::vector<std::int32_t> refused;
    std::int32_t Get(std::int32_t key);
    void Set(std::int32_t key, std::int32_t value);
    FakeReply Answer(const SeenRequest& request, bool can, int address);
};
