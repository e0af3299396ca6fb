#include "fake_link.h"

#include <algorithm>
#include <chrono>

#include "comm/protocol.h"

namespace {

void PutValue(std::uint8_t* p, std::int32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::int32_t GetValue(const std::uint8_t* p) {
    return static_cast<std::int32_t>(p[0] | p[1] << 8 | p[2] << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

SeenRequest Decode(const std::uint8_t* sdo, Bytes raw) {
    SeenRequest r;
    r.command = sdo[0];
    r.key = sdo[1] << 8 | sdo[2] << 16 | sdo[3];
    r.data = GetValue(sdo + 4);
    r.raw = std::move(raw);
    return r;
}

class FakeSerial final : public CCommObject {
public:
    explicit FakeSerial(std::shared_ptr<FakeScript> s) : script_(std::move(s)) {}
    int Open(const CommSettings&) override {
        script_->OnOpen();
        return 0;
    }
    int Write(const std::uint8_t* bytes, int count) override {
        if (count != 10)
            return 1;
        return script_->OnWrite(Decode(bytes + 1, Bytes(bytes, bytes + 10))) ? 0 : 1;
    }
    int Read(std::uint8_t* buffer10, int* count) override {
        bool closed = false;
        FakeReply reply = script_->OnRead(closed);
        *count = 0;
        if (closed || reply.readFails)
            return 5;
        *count = static_cast<int>(std::min<size_t>(reply.bytes.size(), 10));
        std::copy_n(reply.bytes.begin(), *count, buffer10);
        return 0;
    }
    int Reserved() override { return 0; }
    void Close() override { script_->OnClose(); }
    void Release() override { delete this; }

private:
    std::shared_ptr<FakeScript> script_;
};

class FakeCan final : public CCanObject {
public:
    explicit FakeCan(std::shared_ptr<FakeScript> s) : script_(std::move(s)) {}
    int Open(const CommSettings&) override {
        script_->OnOpen();
        return 0;
    }
    int Write(const CanMessage& m) override {
        Bytes raw(12);
        PutValue(raw.data(), static_cast<std::int32_t>(m.id));
        std::copy_n(m.data, 8, raw.begin() + 4);
        return script_->OnWrite(Decode(m.data, raw)) ? 0 : 1;
    }
    int Read(CanMessage& m) override {
        bool closed = false;
        FakeReply reply = script_->OnRead(closed);
        if (closed || reply.readFails || !reply.message)
            return 1;
        m = *reply.message;
        return 0;
    }
    int GetVersion(char* buffer) override {
        std::snprintf(buffer, 256, "fake:can0:fake driver");
        return 1;
    }
    int Reserved() override { return 0; }
    void Close() override { script_->OnClose(); }
    void Release() override { delete this; }

private:
    std::shared_ptr<FakeScript> script_;
};

}  // namespace

Bytes SerialFrame(std::uint8_t address, std::uint8_t code, std::int32_t key, std::int32_t value) {
    Bytes f(10);
    f[0] = address;
    f[1] = code;
    f[2] = static_cast<std::uint8_t>(key >> 8);
    f[3] = static_cast<std::uint8_t>(key >> 16);
    f[4] = static_cast<std::uint8_t>(key);
    PutValue(f.data() + 5, value);
    f[9] = CProtocol::Checksum(f.data());
    return f;
}

CanMessage CanReply(int address, std::uint8_t code, std::int32_t key, std::int32_t value) {
    CanMessage m;
    m.id = 0x580 + static_cast<std::uint32_t>(address);
    m.length = 8;
    m.data[0] = code;
    m.data[1] = static_cast<std::uint8_t>(key >> 8);
    m.data[2] = static_cast<std::uint8_t>(key >> 16);
    m.data[3] = static_cast<std::uint8_t>(key);
    PutValue(m.data + 4, value);
    return m;
}

void FakeScript::Push(FakeReply reply) {
    std::lock_guard lock(mutex_);
    script_.push_back(std::move(reply));
}

void FakeScript::SetResponder(std::function<FakeReply(const SeenRequest&)> responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void FakeScript::Hold() {
    std::lock_guard lock(mutex_);
    hold_ = true;
}

void FakeScript::Release() {
    std::lock_guard lock(mutex_);
    hold_ = false;
    changed_.notify_all();
}

bool FakeScript::WaitUntilHeld(int timeoutMs) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [this] { return waiting_; });
}

std::vector<SeenRequest> FakeScript::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::int32_t> FakeScript::Keys() const {
    std::lock_guard lock(mutex_);
    std::vector<std::int32_t> keys;
    for (const SeenRequest& r : requests_) keys.push_back(r.key);
    return keys;
}

int FakeScript::Writes() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(requests_.size());
}

int FakeScript::Reads() const {
    std::lock_guard lock(mutex_);
    return reads_;
}

int FakeScript::Closes() const {
    std::lock_guard lock(mutex_);
    return closes_;
}

bool FakeScript::OnWrite(const SeenRequest& request) {
    std::unique_lock lock(mutex_);
    if (closed_)
        return false;  // a closed port refuses until it is opened again
    requests_.push_back(request);
    FakeReply reply;
    if (!script_.empty()) {
        reply = script_.front();
        script_.pop_front();
    } else if (responder_) {
        auto responder = responder_;
        lock.unlock();
        reply = responder(request);
        lock.lock();
    }
    if (reply.writeFails)
        return false;
    current_ = reply;
    return true;
}

FakeReply FakeScript::OnRead(bool& closed) {
    std::unique_lock lock(mutex_);
    ++reads_;
    waiting_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !hold_ || closed_; });
    waiting_ = false;
    closed = closed_;
    FakeReply reply = current_.value_or(FakeReply{});
    current_.reset();
    return reply;
}

void FakeScript::OnOpen() {
    std::lock_guard lock(mutex_);
    closed_ = false;
}

void FakeScript::OnClose() {
    std::lock_guard lock(mutex_);
    ++closes_;
    closed_ = true;
    changed_.notify_all();
}

CCommObject* NewFakeSerial(std::shared_ptr<FakeScript> script) {
    return new FakeSerial(std::move(script));
}

CCanObject* NewFakeCan(std::shared_ptr<FakeScript> script) {
    return new FakeCan(std::move(script));
}

std::int32_t FakeDrive::Get(std::int32_t key) {
    std::lock_guard lock(mutex);
    for (auto& [k, v] : values)
        if (k == key)
            return v;
    return 0;
}

void FakeDrive::Set(std::int32_t key, std::int32_t value) {
    std::lock_guard lock(mutex);
    for (auto& [k, v] : values)
        if (k == key) {
            v = value;
            return;
        }
    values.emplace_back(key, value);
}

FakeReply FakeDrive::Answer(const SeenRequest& request, bool can, int address) {
    std::uint8_t code = 0x43;
    std::int32_t value = 0;
    {
        std::lock_guard lock(mutex);
        bool isWrite = (request.command & 0xE0) == 0x20;
        bool refuse = std::find(refused.begin(), refused.end(), request.key) != refused.end();
        auto it = std::find_if(values.begin(), values.end(),
                               [&](auto& kv) { return kv.first == request.key; });
        if (isWrite && refuse) {
            code = 0x80;
            value = 0x06010002;
        } else if (isWrite) {
            code = 0x60;
            value = request.data;
            if (it != values.end())
                it->second = request.data;
            else
                values.emplace_back(request.key, request.data);
        } else {
            value = it != values.end() ? it->second : 0;
        }
    }
    FakeReply reply;
    if (can)
        reply.message = CanReply(address, code, request.key, value);
    else
        reply.bytes = SerialFrame(static_cast<std::uint8_t>(address), code, request.key, value);
    return reply;
}
