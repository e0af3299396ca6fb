#include "tuner/scanprotocol.h"

#include "dictionary/sdocommand.h"
#include "tuner/scananalysis.h"

namespace {

constexpr std::int32_t kChain[kChainSteps] = {scankey::kControl,
                                              scankey::kFrom,
                                              scankey::kEnd,
                                              scankey::kStep,
                                              scankey::kWindow,
                                              scankey::kBufferPoints,
                                              scankey::kRotorInertia,
                                              scankey::kExponent,
                                              scankey::kAmplitude,
                                              scankey::kRevision,
                                              scankey::kMaxCurrent,
                                              scankey::kVelocityGain,
                                              scankey::kVelocityIntegral};

// The exponent object is a signed byte; its answer carries the byte alone.
int SignedByte(std::uint32_t value) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

}  // namespace

void CScanProtocol::Send(std::uint8_t command, std::int32_t key, std::int32_t data, int delayMs) {
    host_.SendRequest(CLinkRequest{command, key, data, delayMs});
}

void CScanProtocol::ContinueChain(int& step) {
    if (step < 1 || step > kChainSteps)
        return;
    Send(sdo::Read, kChain[step - 1], 0);
    ++step;
}

void CScanProtocol::ConfigurationStep(int step, int typed) {
    static constexpr std::int32_t kWrites[4] = {scankey::kFrom, scankey::kEnd, scankey::kStep,
                                                scankey::kAmplitude};
    if (step >= 0 && step < 4) {
        if (step == 3)
            data_.excitationAmplitude = typed;
        Send(sdo::Write2, kWrites[step], typed);
        return;
    }
    // A new scan starts its read-out from the beginning, whatever an earlier one left.
    scanning = 1;
    data_.RecountPoints();
    readPhase = blockBase = blockOffset = sampleIndex = statusRetries = awaitingRead = 0;
    unexpectedShown_ = false;
    active_ = true;
    Send(sdo::Write1, scankey::kControl, kScanRunning);
}

void CScanProtocol::OnLinkValue(std::uint32_t value, std::int32_t key, int& chainStep) {
    if (!scanning) {
        StoreChainValue(value, key);
        ContinueChain(chainStep);
        return;
    }
    if (key == scankey::kExponent)
        data_.scaleExponent = SignedByte(value);
    else if (active_ && key == scankey::kControl)
        OnStatus(value);
    else if (active_ && key == scankey::kWindow)
        OnWindow(value);
}

void CScanProtocol::OnLinkAbort(std::int32_t, int& chainStep) {
    if (!scanning) {
        ContinueChain(chainStep);
        return;
    }
    if (active_)
        Fail();
}

void CScanProtocol::StoreChainValue(std::uint32_t value, std::int32_t key) {
    switch (key) {
        case scankey::kBufferPoints:
            data_.bufferPoints = static_cast<int>(value);
            break;
        case scankey::kVelocityGain:
            data_.velocityGain = static_cast<float>(value);
            break;
        case scankey::kVelocityIntegral:
            data_.velocityIntegral = static_cast<float>(value);
            break;
        case scankey::kRotorInertia:
            data_.rotorInertia = static_cast<int>(value);
            break;
        case scankey::kMaxCurrent:
            data_.maxCurrent = static_cast<int>(value);
            break;
        case scankey::kExponent:
            data_.scaleExponent = SignedByte(value);
            break;
        case scankey::kStep:
            if (static_cast<std::int32_t>(value) > 0)
                data_.RecountPoints();
            return;
        default:
            return;
    }
    host_.OnHeaderValueStored();
}

void CScanProtocol::OnStatus(std::uint32_t value) {
    if (value == 0) {
        statusRetries = 0;
        WriteAddress();
        awaitingRead = 1;
        return;
    }
    if (value != kScanRunning && !unexpectedShown_) {
        unexpectedShown_ = true;
        host_.OnUnexpectedStatus();
    }
    if (statusRetries > kStatusRetryLimit) {
        Fail();
        return;
    }
    ++statusRetries;
    Send(sdo::Read, scankey::kControl, 0, kStatusPollMs);
}

void CScanProtocol::OnWindow(std::uint32_t value) {
    if (awaitingRead) {
        // The answer to the address write: now read the word there.
        Send(sdo::Read, scankey::kWindow, 0);
        awaitingRead = 0;
        return;
    }
    awaitingRead = 1;
    OnDataWord(value);
}

void CScanProtocol::OnDataWord(std::uint32_t v) {
    const int n = data_.CountFits() ? data_.pointCount : 0;
    if (readPhase == 0) {
        if (sampleIndex < kScanCapacity) {
            data_.excitationRe[sampleIndex] = static_cast<std::int16_t>(v >> 16);
            data_.excitationIm[sampleIndex] = static_cast<std::int16_t>(v & 0xFFFF);
        }
        blockBase = 0;
        blockOffset += 2;
        if (++sampleIndex >= n) {
            // The second block starts at its own address, not where the first one ended.
            sampleIndex = 0;
            readPhase = 1;
            blockBase = kResponseBlock;
            blockOffset = 0;
        }
        WriteAddress();
    } else if (readPhase == 1) {
        if (sampleIndex < 2 * kScanCapacity)
            data_.responseRaw[sampleIndex] = RearrangeResponseWord(v);
        blockOffset += 2;
        WriteAddress();
        if (++sampleIndex >= 2 * n) {
            readPhase = 2;
            sampleIndex = blockBase = blockOffset = 0;
        }
    } else {
        readPhase = 0;
        active_ = false;
        Send(sdo::Read, scankey::kExponent, 0);
        host_.OnReadoutDone();
    }
}

void CScanProtocol::WriteAddress() {
    Send(sdo::Write4, scankey::kWindow, blockBase + blockOffset);
}

void CScanProtocol::Fail() {
    active_ = false;
    statusRetries = 0;
    host_.OnScanFailed();
}

int CScanProtocol::WordsRead() const {
    switch (readPhase) {
        case 0:
            return sampleIndex;
        case 1:
            return data_.pointCount + sampleIndex;
        default:
            return WordsTotal();
    }
}
