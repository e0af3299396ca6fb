#include "ctl/scopecapture.h"

#include <QCoreApplication>

#include "ctl/session.h"
#include "scope/scopeobjects.h"

using namespace platform;

CtlCapture::CtlCapture(CGlobal& g) : g_(g), cycle_(g, Handle(), *this) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { cycle_.OnStateTimer(); });
}

CtlCapture::~CtlCapture() {
    cycle_.ForceIdle();
    if (g_.priorityWindow.load() == Handle())
        g_.priorityWindow = 0;
}

CaptureEnd CtlCapture::Run(CtlSession& session) {
    g_.priorityWindow = Handle();
    if (!cycle_.Start())
        return CaptureEnd::LinkLost;
    while (!end_ && !session.LinkDown())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!end_) {
        cycle_.ForceIdle();
        return CaptureEnd::LinkLost;
    }
    return *end_;
}

LResult CtlCapture::OnMessage(unsigned msg, WParam w, LParam l) {
    const auto key = std::int32_t(l);
    if (msg == WM_LINK_VALUE && key == scope::Key(scope::kControl)) {
        cycle_.OnStateReply(std::int32_t(w));
    } else if (msg == WM_LINK_VALUE && key == scope::Key(scope::kSamples)) {
        cycle_.OnUploadAccepted(g_.link.AnnouncedSize());
    } else if (msg == WM_LINK_SEGMENT) {
        const std::uint8_t* data = nullptr;
        std::uint8_t count = 0;
        g_.link.GetSegment(data, count);
        cycle_.OnSegment(data, data ? count : 0, g_.link.SegmentIsLast());
    } else if (msg == WM_LINK_ABORT) {
        cycle_.OnAbort(key);
    }
    return 0;
}
