#pragma once
// The oscilloscope page: reads the drive's capture settings, runs captures (arm, state polls,
// upload, decode) and shows up to four signals in the curve graph with cursors and read-outs.
// Channel and trigger selection, the read-outs and the files are helpers of their own.
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "app/pageview.h"
#include "scope/capturecycle.h"
#include "scope/mygraph.h"
#include "scope/oscilloform.h"
#include "scope/scopefileactions.h"
#include "scope/scopepagehost.h"

class CGlobal;
class CScopeChannels;
class CScopeTrigger;
class CScopeReadouts;

class CDriverOscillo : public CPageView,
                       public IScopePage,
                       public ICaptureHost,
                       public IScopeRecordable {
    Q_OBJECT
public:
    static constexpr int kPageNumber = 18;

    explicit CDriverOscillo(CGlobal& g, QWidget* parent = nullptr);
    ~CDriverOscillo() override;

    void OnInitialUpdate() override;
    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    // IScopePage
    platform::WindowHandle Window() const override { return Handle(); }
    void SetReadStep(int step) override { readStep = step; }
    void Redraw() override;
    void OpenBrowserFor(int target) override;
    void ChannelUnitChanged() override;
    // ICaptureHost
    void StartStateTimer() override;
    void ShowStatus(const QString& text) override;
    void ShowProgress(int received, int announced) override;
    void CaptureEnded(CaptureEnd how) override;
    // IScopeRecordable
    ScopeRecording Snapshot() const override;
    void Restore(const ScopeRecording& recording) override;
    QWidget* PageWidget() override { return this; }

    CMyGraph& Graph() { return graph_; }
    const OscilloForm& Form() const { return form_; }
    CCaptureCycle& Cycle() { return cycle_; }
    CScopeChannels& Channels() { return *channels_; }
    CScopeTrigger& Trigger() { return *trigger_; }
    CScopeFileActions& Files() { return files_; }
    QString StatusText() const;

    std::uint16_t samplePeriod = 0;
    std::uint16_t pointerOffset = 0;
    std::uint16_t sampleCount = 0;
    QString samplePeriodText = QStringLiteral("0 us");
    int readStep = 0;  // 0 or 14 idle, 1..13 reading

private:
    void PlaceGraph();
    void ConnectControls();
    void StartReadSequence();
    void AdvanceReadSequence();
    void OnLinkValue(std::uint32_t value, std::int32_t key);
    bool OnScopeValue(std::uint32_t value, std::int32_t key);
    void OnLinkAbort(std::int32_t key);
    void OnLinkSegment();
    void OnPageNotify(int code);
    void OnAddObject(std::int32_t key);
    void ShowSamplePeriod(std::uint32_t value);
    bool TakeFields();
    void CommitField(int sub);
    void OnStartClicked();
    void OnRereadClicked();
    void OnStateTimer();
    void OnContinuousTimer();
    void ForceIdle();
    void SetIdleControls();
    void DecodeUpload();
    void ShowWholeRecord();
    void OnExport();
    void OnImport();

    CGlobal& g_;
    CMyGraph graph_;
    OscilloForm form_;
    CCaptureCycle cycle_;
    std::unique_ptr<CScopeChannels> channels_;
    std::unique_ptr<CScopeTrigger> trigger_;
    std::unique_ptr<CScopeReadouts> readouts_;
    CScopeFileActions files_;
    QTimer stateTimer_;       // timer 1: capture state polls
    QTimer continuousTimer_;  // timer 2: the next capture of continuous capture
    int pickTarget_ = 0;      // 0 trigger, 1..4 channel
    bool pageActive_ = false;
    bool countRetried_ = false;
};
