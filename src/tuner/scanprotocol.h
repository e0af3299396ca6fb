#pragma once
// The scan's conversation with the drive: the one-time parameter read chain, the configuration
// writes, the status polls and the word-by-word read-out (address write, read, strictly
// alternating, one request outstanding). Widget-free: the tuner dialog and veltoctl drive it
// with the link's answers and carry out what it asks through a host.
#include <cstdint>

#include "tuner/scandata.h"

namespace scankey {
constexpr std::int32_t kControl = 0x304001;  // 14 starts; reads 14 running, 0 data ready
constexpr std::int32_t kFrom = 0x304002;
constexpr std::int32_t kEnd = 0x304003;
constexpr std::int32_t kStep = 0x304004;
constexpr std::int32_t kWindow = 0x304005;  // write an address, then read the word there
constexpr std::int32_t kBufferPoints = 0x304006;
constexpr std::int32_t kRevision = 0x304007;
constexpr std::int32_t kExponent = 0x30400A;
constexpr std::int32_t kAmplitude = 0x60F910;
constexpr std::int32_t kVelocityGain = 0x60F901;
constexpr std::int32_t kVelocityIntegral = 0x60F902;
constexpr std::int32_t kRotorInertia = 0x641003;
constexpr std::int32_t kMaxCurrent = 0x607300;
}  // namespace scankey

constexpr int kScanRunning = 14;
constexpr int kStatusRetryLimit = 2500;
constexpr int kResponseBlock = 1024;  // address of the second read-out block
constexpr int kChainSteps = 13;

struct CLinkRequest {
    std::uint8_t command = 0;  // 0x40 read, 0x2F / 0x2B / 0x23 write 1 / 2 / 4 bytes
    std::int32_t key = 0;
    std::int32_t data = 0;
    int delayMs = 0;  // send after this pause (status polls)
};

class CScanHost {
public:
    virtual ~CScanHost() = default;
    virtual void SendRequest(const CLinkRequest& request) = 0;
    virtual void OnReadoutDone() = 0;        // all words in: finish in 100 ms
    virtual void OnScanFailed() = 0;         // "fail!"
    virtual void OnUnexpectedStatus() = 0;   // "60", once per scan
    virtual void OnHeaderValueStored() = 0;  // the chain stored a drive value
};

class CScanProtocol {
public:
    // Pause before configuration step 0 and between the steps, and before the finishing.
    static constexpr int kConfigDelayMs[5] = {50, 200, 200, 200, 200};
    static constexpr int kFinishDelayMs = 100;
    // Spacing of the status polls: the retry limit then lasts about 20 s on any link.
    static constexpr int kStatusPollMs = 8;

    CScanProtocol(CScanData& data, CScanHost& host) : data_(data), host_(host) {}

    // Reads the object of chain step `step` (1 .. 13) and advances it; nothing after 13.
    void ContinueChain(int& step);

    // Configuration step 0 .. 4 of an accepted start. Steps 0 to 3 write the typed start,
    // end, step and amplitude; step 4 starts the scan in the drive (`typed` is unused).
    void ConfigurationStep(int step, int typed);

    void OnLinkValue(std::uint32_t value, std::int32_t key, int& chainStep);
    // A refused request: a running scan fails; the chain moves on to its next object.
    void OnLinkAbort(std::int32_t key, int& chainStep);
    // Stops a running scan: later answers send nothing more.
    void Abandon() { active_ = false; }

    bool Active() const { return active_; }
    // Words read so far and words to read (excitation and response blocks).
    int WordsRead() const;
    int WordsTotal() const { return 3 * data_.pointCount; }

    int scanning = 0;
    int readPhase = 0;
    int blockBase = 0;
    int blockOffset = 0;
    int sampleIndex = 0;
    int statusRetries = 0;
    int awaitingRead = 0;

private:
    void Send(std::uint8_t command, std::int32_t key, std::int32_t data, int delayMs = 0);
    void StoreChainValue(std::uint32_t value, std::int32_t key);
    void OnStatus(std::uint32_t value);
    void OnWindow(std::uint32_t value);
    void OnDataWord(std::uint32_t value);
    void WriteAddress();
    void Fail();

    CScanData& data_;
    CScanHost& host_;
    bool active_ = false;
    bool unexpectedShown_ = false;
};
