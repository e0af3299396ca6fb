#include "scope/capturecycle.h"

#include <algorithm>

#include "app/global.h"
#include "dictionary/sdocommand.h"
#include "scope/scopeobjects.h"
#include "scope/scopetexts.h"

CCaptureCycle::CCaptureCycle(CGlobal& global, platform::WindowHandle owner, ICaptureHost& host)
    : g_(global), owner_(owner), host_(host) {}

void CCaptureCycle::Send(std::uint8_t command, std::int32_t key, std::int32_t data) {
    g_.link.Request(owner_, command, key, data);
}

bool CCaptureCycle::Start() {
    if (!stopped_ || g_.acquisitionBusy)
        return false;
    if (g_.online != 1) {
        host_.ShowStatus(scopetext::LinkLost(g_.language));
        return false;
    }
    g_.acquisitionBusy = 1;
    stopped_ = false;
    Restart();
    return true;
}

void CCaptureCycle::Restart() {
    if (stopped_)
        return;
    buffer_.Clear();
    phase_ = Phase::Armed;
    HandleState(-1);
}

void CCaptureCycle::Cancel() {
    if (stopped_)
        return;
    g_.pollingEnabled = 1;
    g_.serveHeldQueue = 1;
    stopped_ = true;
    host_.ShowStatus(scopetext::Finish(g_.language));
    g_.acquisitionBusy = 0;
    // While armed the next poll ends the capture; an upload or a pause ends now.
    if (phase_ != Phase::Armed) {
        phase_ = Phase::Idle;
        host_.CaptureEnded(CaptureEnd::Finished);
    }
}

bool CCaptureCycle::Reread() {
    if (g_.acquisitionBusy)
        return false;
    if (g_.online != 1) {
        host_.ShowStatus(scopetext::LinkLost(g_.language));
        return false;
    }
    g_.acquisitionBusy = 1;
    buffer_.Clear();
    RequestUpload();
    return true;
}

void CCaptureCycle::RequestUpload() {
    phase_ = Phase::Uploading;
    uploadCounter_ = 0;
    g_.priorityWindow = owner_;  // the held-back requests must not include the upload's own
    g_.serveHeldQueue = 0;
    g_.pollingEnabled = 0;
    Send(sdo::Read, scope::Key(scope::kSamples), 0);
    host_.StartStateTimer();  // watches the link while the upload runs
}

void CCaptureCycle::Done(bool continuing) {
    g_.serveHeldQueue = 1;
    if (continuing && !stopped_)
        return;  // Restart follows
    BackToIdle();
    host_.ShowStatus(scopetext::Finish(g_.language));
}

void CCaptureCycle::ForceIdle() {
    if (!stopped_ || phase_ != Phase::Idle)
        BackToIdle();
}

void CCaptureCycle::BackToIdle() {
    phase_ = Phase::Idle;
    stopped_ = true;
    g_.pollingEnabled = 1;
    g_.serveHeldQueue = 1;
    g_.acquisitionBusy = 0;
}

void CCaptureCycle::OnStateReply(std::int32_t state) {
    state_ = state;
    stateFresh_ = true;
    if (phase_ == Phase::Armed)
        host_.StartStateTimer();
}

void CCaptureCycle::OnStateTimer() {
    if (phase_ == Phase::Idle)
        return;
    if (g_.online != 1) {
        EndUpload(CaptureEnd::LinkLost);
        return;
    }
    if (phase_ == Phase::Uploading || !stateFresh_) {
        host_.StartStateTimer();  // still waiting for a reply: keep watching the link
        return;
    }
    stateFresh_ = false;
    HandleState(state_);
}

void CCaptureCycle::HandleState(int s) {
    if (s < 0) {
        Send(sdo::Write1, scope::Key(scope::kControl), 1);  // its reply restarts the timer
        stateFresh_ = false;
        host_.StartStateTimer();
        return;
    }
    if (s == 0) {
        waiting_ = false;
    } else if (s <= 3) {
        AnimateWaiting();
        waiting_ = true;
    }
    if (stopped_) {
        BackToIdle();
        host_.ShowStatus(scopetext::Finish(g_.language));
        host_.CaptureEnded(CaptureEnd::Finished);
    } else if (waiting_) {
        Send(sdo::Read, scope::Key(scope::kControl), 0);
        host_.StartStateTimer();
    } else {
        RequestUpload();
    }
}

void CCaptureCycle::AnimateWaiting() {
    if (waitCounter_ % 20 == 0)
        host_.ShowStatus(scopetext::Waiting(g_.language, waitCounter_ / 20 + 1));
    waitCounter_ += 10;
    if (waitCounter_ >= 100)
        waitCounter_ = 0;
}

void CCaptureCycle::AnimateUpload() {
    if (uploadCounter_ % 30 == 0) {
        const QString text = scopetext::Reading(g_.language, uploadCounter_ / 30 + 1);
        if (!text.isEmpty())
            host_.ShowStatus(text);
    }
    if (++uploadCounter_ > 149)
        uploadCounter_ = 0;
}

void CCaptureCycle::OnUploadAccepted(std::int64_t announcedSize) {
    if (phase_ != Phase::Uploading)
        return;  // cancelled meanwhile: leave the drive's data where it is
    buffer_.Clear();
    announced_ = announcedSize;
    host_.ShowProgress(0, int(std::min<std::int64_t>(announcedSize, 1 << 30)));
    segmentCommand_ = sdo::SegmentEven;
    Send(segmentCommand_, 0, 0);
}

void CCaptureCycle::OnSegment(const std::uint8_t* data, int count, bool last) {
    AnimateUpload();
    if (phase_ != Phase::Uploading || g_.serveHeldQueue == 1)
        return;  // cancelled
    const int n = data ? std::max(0, std::min(count, scope::kSegmentBytes)) : 0;
    if (!buffer_.Append(data, n)) {
        EndUpload(CaptureEnd::Overflow);
        return;
    }
    host_.ShowProgress(buffer_.Used(), int(std::min<std::int64_t>(announced_, 1 << 30)));
    // A full segment without the last-segment bit has more behind it.
    if (n == scope::kSegmentBytes && !last) {
        segmentCommand_ = sdo::NextSegment(segmentCommand_);
        Send(segmentCommand_, 0, 0);
        return;
    }
    g_.pollingEnabled = 1;
    phase_ = Phase::Idle;
    host_.CaptureEnded(CaptureEnd::Uploaded);
}

// Ends the capture as a cancel does, with the reason on the status line.
void CCaptureCycle::EndUpload(CaptureEnd how) {
    BackToIdle();
    const int lang = g_.language;
    host_.ShowStatus(how == CaptureEnd::Overflow   ? scopetext::BufferOverflow(lang)
                     : how == CaptureEnd::LinkLost ? scopetext::LinkLost(lang)
                                                   : scopetext::Refused(lang));
    host_.CaptureEnded(how);
}

bool CCaptureCycle::OnAbort(std::int32_t key) {
    const bool control = key == scope::Key(scope::kControl);
    const bool upload = key == 0 || key == scope::Key(scope::kSamples);
    if (control && phase_ == Phase::Armed) {
        EndUpload(CaptureEnd::Refused);
        return true;
    }
    if (upload && phase_ == Phase::Uploading) {
        EndUpload(CaptureEnd::Refused);
        return true;
    }
    return control || upload;
}
