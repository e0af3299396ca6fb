#pragma once
// One capture of the drive's oscilloscope, as the page and veltoctl run it: arm (0x2300:07 := 1),
// poll the capture state once a second, upload the sample buffer segment by segment with the
// link to itself, and hand the buffer over for decoding. Replies come in through the On...
// operations; the host runs the one-second timer and shows the status.
#include <QString>
#include <cstdint>

#include "dictionary/sdocommand.h"
#include "platform/messages.h"
#include "scope/samplebuffer.h"

class CGlobal;

enum class CaptureEnd {
    Finished,  // a cancelled capture reached its next poll, or a cancel during the upload
    Uploaded,  // the whole buffer is in: decode it, then call Done
    Refused,   // the drive refused the upload or a segment
    Overflow,  // the drive sent more than the buffer holds; the stored part is kept
    LinkLost,  // the link closed while the capture ran
};

class ICaptureHost {
public:
    virtual ~ICaptureHost() = default;
    virtual void StartStateTimer() = 0;  // OnStateTimer 1000 ms from now
    virtual void ShowStatus(const QString& text) = 0;
    // Bytes stored of the size the drive announced (0 when it announced none).
    virtual void ShowProgress(int received, int announced) = 0;
    virtual void CaptureEnded(CaptureEnd how) = 0;
};

class CCaptureCycle {
public:
    enum class Phase { Idle, Armed, Uploading };

    CCaptureCycle(CGlobal& global, platform::WindowHandle owner, ICaptureHost& host);

    // Arms a capture; false when one runs or another acquisition holds the busy flag.
    bool Start();
    // The next capture of continuous capture (the cycle stays running between captures).
    void Restart();
    void Cancel();
    // Uploads the drive's last capture again; false while busy.
    bool Reread();
    // After a decoded upload: back to idle, or (continuous capture) running for Restart.
    void Done(bool continuing);
    // The page closed: idle at once, the link flags back to normal.
    void ForceIdle();

    // Replies for the owner window.
    void OnStateReply(std::int32_t state);  // 0x2300:07
    void OnStateTimer();
    void OnUploadAccepted(std::int64_t announcedSize);  // 0x2300:10
    void OnSegment(const std::uint8_t* data, int count, bool last);
    // A refusal of 0x2300:07, of 0x2300:10 or of a segment (key 0); false for other keys.
    bool OnAbort(std::int32_t key);

    bool Stopped() const { return stopped_; }
    Phase CurrentPhase() const { return phase_; }
    int CaptureState() const { return state_; }
    const CSampleBuffer& Buffer() const { return buffer_; }

private:
    void HandleState(int s);
    void AnimateWaiting();
    void AnimateUpload();
    void RequestUpload();
    void EndUpload(CaptureEnd how);
    void BackToIdle();
    void Send(std::uint8_t command, std::int32_t key, std::int32_t data);

    CGlobal& g_;
    platform::WindowHandle owner_;
    ICaptureHost& host_;
    Phase phase_ = Phase::Idle;
    bool stopped_ = true;
    bool waiting_ = false;
    bool stateFresh_ = false;  // a state reply arrived since the last poll
    int state_ = 0;
    int waitCounter_ = 0;
    int uploadCounter_ = 0;
    std::uint8_t segmentCommand_ = sdo::SegmentEven;
    std::int64_t announced_ = 0;
    CSampleBuffer buffer_;
};
