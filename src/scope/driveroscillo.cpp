#include "scope/driveroscillo.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/global.h"
#include "dictionary/numberscan.h"
#include "dictionary/sdocommand.h"
#include "pages/projectrows.h"
#include "platform/msgbox.h"
#include "scope/graphview.h"
#include "scope/scopechannels.h"
#include "scope/scopelists.h"
#include "scope/scopeobjects.h"
#include "scope/scopereadouts.h"
#include "scope/scopetexts.h"
#include "scope/scopetrigger.h"

using namespace platform;
using namespace scope;

namespace {
// The objects of read steps 1..13: the sample count first and last.
constexpr int kReadSteps[] = {kPeriod,        kPointerOffset, kSampleCount, kTriggerEdge,
                              kTriggerSource, kTriggerLevel,  kSource1,     kSource1 + 1,
                              kSource1 + 2,   kSource1 + 3,   kSource12,    kSource34,
                              kSampleCount};
constexpr int kLastStep = 13;
}  // namespace

CDriverOscillo::CDriverOscillo(CGlobal& g, QWidget* parent)
    : CPageView(parent), g_(g), cycle_(g, Handle(), *this), files_(g, *this) {
    setObjectName(QStringLiteral("CDriverOscillo"));
    PlaceGraph();
    BuildOscilloForm(this, graph_, form_);
    form_.graphView->Place(property("mouseRect").toRect());
    setMinimumSize(OscilloFormSize(this));
    channels_ = std::make_unique<CScopeChannels>(g_, *this, graph_, form_.channels);
    trigger_ = std::make_unique<CScopeTrigger>(g_, *this, form_.trigger);
    readouts_ = std::make_unique<CScopeReadouts>(graph_, *channels_, *this, form_.readouts);
    stateTimer_.setSingleShot(true);
    continuousTimer_.setInterval(1000);
    ConnectControls();
}

CDriverOscillo::~CDriverOscillo() {
    if (g_.priorityWindow.load() == Handle())
        g_.priorityWindow = 0;
    if (!cycle_.Stopped() || cycle_.CurrentPhase() != CCaptureCycle::Phase::Idle) {
        g_.serveHeldQueue = 1;  // never leave other windows' requests parked
        g_.pollingEnabled = 1;
    }
}

// The plot area and the mouse rectangle follow the screen resolution and the language.
void CDriverOscillo::PlaceGraph() {
    const bool chinese = g_.language == 1;
    GraphArea area;
    QRect mouse;
    if (g_.screenDpi == 96) {
        area = {0, 18, chinese ? 902 : 1002, 368};
        mouse = QRect(QPoint(10, 22), QPoint(chinese ? 890 : 990, 366));
    } else if (chinese) {
        area = {0, 24, 1154, 480};
        mouse = QRect(QPoint(10, 26), QPoint(1004, 468));
    } else {
        area = {0, 20, 1250, 460};
        mouse = QRect(QPoint(10, 26), QPoint(1100, 368));
    }
    graph_.SetArea(area);
    setProperty("mouseRect", mouse);
}

void CDriverOscillo::ConnectControls() {
    CaptureControls& c = form_.capture;
    connect(c.start, &QPushButton::clicked, this, [this] { OnStartClicked(); });
    connect(c.reread, &QPushButton::clicked, this, [this] { OnRereadClicked(); });
    connect(c.exportButton, &QPushButton::clicked, this, [this] { OnExport(); });
    connect(c.importButton, &QPushButton::clicked, this, [this] { OnImport(); });
    connect(c.period, &QLineEdit::returnPressed, this, [this] { CommitField(kPeriod); });
    connect(c.pointerOffset, &QLineEdit::returnPressed, this,
            [this] { CommitField(kPointerOffset); });
    connect(c.sampleCount, &QLineEdit::returnPressed, this, [this] { CommitField(kSampleCount); });
    connect(form_.graphView, &CScopeGraphView::zoomed, this, [this] {
        graph_.AutoScale();
        channels_->TakeScalesFromGraph();
        readouts_->Refresh();
        Redraw();
    });
    connect(&stateTimer_, &QTimer::timeout, this, [this] { OnStateTimer(); });
    connect(&continuousTimer_, &QTimer::timeout, this, [this] { OnContinuousTimer(); });
}

void CDriverOscillo::OnInitialUpdate() {
    const QString settings = scopelists::SettingsPath(g_.SysFolder());
    trigger_->FillList(scopelists::ReadList(settings, QStringLiteral("trigger")));
    channels_->FillCommon(scopelists::ReadList(settings, QStringLiteral("channel")));
    readouts_->Initialise();
    ShowStatus(scopetext::Finish(g_.language));
    SetIdleControls();
    ShowSamplePeriod(samplePeriod);
    samplePeriodText = QStringLiteral("0 us");
    form_.capture.periodText->setText(samplePeriodText);
    g_.priorityWindow = Handle();
    pageActive_ = true;
    StartReadSequence();
}

void CDriverOscillo::StartReadSequence() {
    countRetried_ = false;
    readStep = 1;
    AdvanceReadSequence();
}

void CDriverOscillo::AdvanceReadSequence() {
    if (readStep >= 1 && readStep <= kLastStep) {
        g_.link.Request(Handle(), sdo::Read, Key(kReadSteps[readStep - 1]), 0);
        ++readStep;
        return;
    }
    channels_->RefreshToolTips();
    trigger_->RefreshToolTip();
}

LResult CDriverOscillo::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    const auto key = static_cast<std::int32_t>(lParam);
    switch (msg) {
        case WM_LINK_VALUE:
            OnLinkValue(static_cast<std::uint32_t>(wParam), key);
            return 1;
        case WM_LINK_ABORT:
            OnLinkAbort(key);
            return 1;
        case WM_LINK_SEGMENT:
            OnLinkSegment();
            return 1;
        case WM_PAGE_NOTIFY:
            OnPageNotify(static_cast<int>(wParam));
            return 1;
        case WM_ADD_OBJECT:
            OnAddObject(key);
            return 1;
        default:
            return 0;
    }
}

void CDriverOscillo::OnLinkValue(std::uint32_t value, std::int32_t key) {
    const bool last = readStep == kLastStep + 1 && key == Key(kSampleCount);
    if (!OnScopeValue(value, key) && !channels_->OnValue(key, value) &&
        !trigger_->OnValue(key, value) && !IsScopeKey(key)) {
        // A value a unit conversion waited for.
        if (!trigger_->OnObjectValue(key) && channels_->OnObjectValue(key))
            readouts_->Refresh();
    }
    AdvanceReadSequence();
    if (last)
        channels_->CheckOffsetFields(false);
}

bool CDriverOscillo::OnScopeValue(std::uint32_t value, std::int32_t key) {
    if (!IsScopeKey(key))
        return false;
    switch (SubOf(key)) {
        case kControl:
            cycle_.OnStateReply(static_cast<std::int32_t>(value));
            return true;
        case kPeriod:
            ShowSamplePeriod(value);
            return true;
        case kPointerOffset:
            pointerOffset = std::uint16_t(value);
            form_.capture.pointerOffset->setText(QString::number(pointerOffset));
            return true;
        case kSampleCount:
            sampleCount = std::uint16_t(value);
            form_.capture.sampleCount->setText(QString::number(sampleCount));
            countRetried_ = false;
            // A capture that runs keeps its status and the busy flag.
            if (cycle_.Stopped() && cycle_.CurrentPhase() == CCaptureCycle::Phase::Idle) {
                ShowStatus(scopetext::Finish(g_.language));
                g_.acquisitionBusy = 0;
            }
            return true;
        case kSamples:
            cycle_.OnUploadAccepted(g_.link.AnnouncedSize());
            return true;
        default:
            return false;
    }
}

void CDriverOscillo::ShowSamplePeriod(std::uint32_t value) {
    samplePeriod = std::uint16_t(value);
    graph_.SetSamplePeriod(samplePeriod);
    samplePeriodText = scopetext::SamplePeriodText(samplePeriod);
    form_.capture.period->setText(QString::number(samplePeriod));
    form_.capture.periodText->setText(samplePeriodText);
}

void CDriverOscillo::OnLinkAbort(std::int32_t key) {
    if (cycle_.OnAbort(key) || trigger_->OnAbort(key))
        return;
    channels_->OnAbort(key);
    if (key == Key(kSampleCount) && !countRetried_) {
        countRetried_ = true;  // once: a drive that keeps refusing must not loop the link
        g_.link.Request(Handle(), sdo::Read, key, 0);
        return;
    }
    if (key == Key(kSampleCount) && cycle_.Stopped()) {
        g_.acquisitionBusy = 0;
        ShowStatus(scopetext::Finish(g_.language));
    }
    AdvanceReadSequence();  // a refused setting does not stop the others being read
}

void CDriverOscillo::OnLinkSegment() {
    const std::uint8_t* data = nullptr;
    std::uint8_t count = 0;
    g_.link.GetSegment(data, count);
    cycle_.OnSegment(data, data ? count : 0, g_.link.SegmentIsLast());
}

void CDriverOscillo::OnPageNotify(int code) {
    switch (code) {
        case PN_BROUGHT_UP:
            pageActive_ = true;
            g_.priorityWindow = Handle();
            StartReadSequence();
            return;
        case PN_CLOSING:
            pageActive_ = false;
            ForceIdle();
            return;
        case PN_LINK_CONFIRMED:
            if (!pageActive_)
                return;
            if (g_.online == 1)
                StartReadSequence();
            else
                readStep = 0;
            return;
        case PN_PROJECT_SAVING:
            StorePagePlacement(g_, kPageNumber, this, pageActive_ ? 1 : 0);
            return;
        default:
            return;
    }
}

void CDriverOscillo::OpenBrowserFor(int target) {
    pickTarget_ = target;
    g_.pickRequester = Handle();
    SendMessage(g_.mainWindow, WM_LINK_PAGE, 2, 0);
}

void CDriverOscillo::OnAddObject(std::int32_t key) {
    if (pickTarget_ == 0)
        trigger_->OnPicked(key);
    else
        channels_->OnPicked(pickTarget_, key);
}

void CDriverOscillo::ChannelUnitChanged() {
    trigger_->ClearUnitMark();
}

// The three fields are 16-bit values; anything else is refused with a message.
bool CDriverOscillo::TakeFields() {
    const CaptureControls& c = form_.capture;
    std::uint16_t* targets[] = {&samplePeriod, &pointerOffset, &sampleCount};
    const QLineEdit* fields[] = {c.period, c.pointerOffset, c.sampleCount};
    std::uint16_t values[3] = {};
    for (int i = 0; i < 3; ++i) {
        std::int64_t v = 0;
        if (!numberscan::LeadingInteger(fields[i]->text(), v) || v < 0 || v > 65535) {
            MessageBox(scopetext::FieldRange(g_.language));
            return false;
        }
        values[i] = std::uint16_t(v);
    }
    for (int i = 0; i < 3; ++i) *targets[i] = values[i];
    return true;
}

void CDriverOscillo::CommitField(int sub) {
    if (!TakeFields())
        return;
    const std::uint16_t value = sub == kPeriod          ? samplePeriod
                                : sub == kPointerOffset ? pointerOffset
                                                        : sampleCount;
    if (sub == kSampleCount)
        readStep = kLastStep;
    g_.link.Request(Handle(), sdo::Write2, Key(sub), value);
}

void CDriverOscillo::Redraw() {
    form_.graphView->update();
}

QString CDriverOscillo::StatusText() const {
    return form_.capture.status->text();
}
