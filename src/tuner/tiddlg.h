#pragma once
// The tuner dialog: the Bode plot with its curve boxes, the scan commands (open, save, start,
// Unlock), the status and load read-outs, and the settings and parameter pages. It holds the
// scan, its analysis, the filter tables and the simulation results, and runs the scan through
// the widget-free scan protocol with the control link.
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/messages.h"
#include "tuner/bodeplot.h"
#include "tuner/filtermodel.h"
#include "tuner/scananalysis.h"
#include "tuner/scandata.h"
#include "tuner/scanprotocol.h"
#include "tuner/simlibrary.h"
#include "tuner/simulation.h"

class CGlobal;
class CTIDParam;
class CTIDSetting;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

class CTIDDlg : public QWidget, private CScanHost {
    Q_OBJECT
public:
    // `replyTarget`: the tuner view, which receives the link's answers and the page messages.
    CTIDDlg(CGlobal& g, platform::WindowHandle replyTarget, QWidget* parent = nullptr);
    ~CTIDDlg() override;

    // Link answers and page messages, forwarded by the view.
    void OnLinkValue(std::uint32_t value, std::int32_t key);
    void OnLinkAbort(std::int32_t key);
    void OnPageMessage(platform::WParam code, platform::LParam value);
    // Starts the one-time parameter read chain (once the link is open).
    void StartParameterChain();
    // The tuner window closes: the busy flag is cleared and a running scan abandoned.
    void OnClosing();

    // Chooses a file: (save, title, proposal) -> path, empty when cancelled.
    using FileChooser = std::function<QString(bool save, const QString& proposal)>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Commands (the buttons call them).
    void OnStart();
    void OnUnlock();
    void OnExport();
    void OnImport();
    void OnSimulate();

    const CScanData& Data() const { return data_; }
    const CScanResults& Results() const { return results_; }
    const CSimulationResults& Simulation() const { return sim_; }
    const CBodeSource& PlotSource() const { return source_; }
    CBodePlot* Plot() const { return plot_; }
    CTIDParam* ParamPage() const { return param_; }
    CTIDSetting* SettingPage() const { return setting_; }
    bool ScanActive() const { return protocol_.Active() || configStep_ >= 0; }

private:
    // CScanHost.
    void SendRequest(const CLinkRequest& request) override;
    void OnReadoutDone() override;
    void OnScanFailed() override;
    void OnUnexpectedStatus() override;
    void OnHeaderValueStored() override;

    void BuildPlotColumn();
    void BuildCommandColumn();
    void BuildTabs();
    QPushButton* AddButton(int id, const char* caption, int x, int y);
    void RunConfigurationStep();
    void FinishScan();
    void StopScan();
    void WatchLink();
    void ShowLater(const QString& text);
    void SetStatus(const QString& text);
    void UpdateProgress();
    void ShowScanSettings();
    void AnalyseAndRedraw();
    int Language() const;

    CGlobal& g_;
    platform::WindowHandle replyTarget_;
    CScanData data_;
    CScanResults results_;
    CScanProtocol protocol_{data_, *this};
    CSimLibrary lib_;
    CSimulationResults sim_;
    CFilterEntry filterTable_[kFilterCount];
    CModelEntry modelTable_[kFilterCount];
    CBodeSource source_;
    FileChooser chooseFile_;
    QString importPath_;

    int configStep_ = -1;  // the configuration step the timer runs next; -1 none
    QTimer configTimer_;
    QTimer pollTimer_;    // a status poll waiting for its turn
    QTimer finishTimer_;  // timer 5
    QTimer linkTimer_;    // watches the link while a scan runs
    CLinkRequest delayed_;

    CBodePlot* plot_ = nullptr;
    QCheckBox* curveBoxes_[kCurveCount] = {};
    QLabel* readOut_ = nullptr;        // 1288
    QComboBox* gainRuler_ = nullptr;   // 1259
    QComboBox* phaseRuler_ = nullptr;  // 1260
    QCheckBox* showGain_ = nullptr;    // 1290
    QCheckBox* showPhase_ = nullptr;   // 1291
    QPushButton* start_ = nullptr;     // 1233
    QCheckBox* unlock_ = nullptr;      // 1295
    QLabel* status_ = nullptr;         // 1294
    QProgressBar* progress_ = nullptr;
    QLineEdit* load_ = nullptr;   // 1289
    QTabWidget* tabs_ = nullptr;  // 1230
    CTIDSetting* setting_ = nullptr;
    CTIDParam* param_ = nullptr;
};
