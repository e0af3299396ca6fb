#pragma once
// One capture run by veltoctl with the page's capture cycle: this target receives the replies
// and runs the one-second state timer.
#include <QString>
#include <QTimer>
#include <optional>

#include "platform/messages.h"
#include "scope/capturecycle.h"

class CGlobal;
class CtlSession;

class CtlCapture : public platform::MessageTarget, public ICaptureHost {
public:
    explicit CtlCapture(CGlobal& g);
    ~CtlCapture() override;

    // Arms the drive and waits until the capture has ended (or the link went down).
    CaptureEnd Run(CtlSession& session);
    const CSampleBuffer& Buffer() const { return cycle_.Buffer(); }
    QString Status() const { return status_; }

    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;
    void StartStateTimer() override { timer_.start(1000); }
    void ShowStatus(const QString& text) override { status_ = text; }
    void ShowProgress(int, int) override {}
    void CaptureEnded(CaptureEnd how) override { end_ = how; }

private:
    CGlobal& g_;
    CCaptureCycle cycle_;
    QTimer timer_;
    QString status_;
    std::optional<CaptureEnd> end_;
};
