// The tuner dialog's scan: start checks, Unlock, the configuration timers, the link answers
// and the end of a scan.
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/global.h"
#include "platform/msgbox.h"
#include "tuner/scanchecks.h"
#include "tuner/tiddlg.h"
#include "tuner/tidsetting.h"
#include "tuner/tunertexts.h"

using namespace tunertext;

void CTIDDlg::StartParameterChain() {
    if (g_.online == 1 && g_.parameterReadStep == 1)
        protocol_.ContinueChain(g_.parameterReadStep);
}

void CTIDDlg::OnUnlock() {
    SetStatus(QString());
    g_.acquisitionBusy = 0;
    StopScan();
    if (start_->isEnabled()) {
        if (!unlock_->isChecked())
            start_->setEnabled(false);
        return;
    }
    int answer = platform::MessageBox(Text(SafetyNote, Language()), QString(),
                                      platform::MB_OKCANCEL | platform::MB_ICONWARNING);
    if (answer == platform::IDOK)
        start_->setEnabled(true);
    else
        unlock_->setChecked(false);
}

void CTIDDlg::OnStart() {
    const int lang = Language();
    if (g_.online != 1) {
        platform::MessageBox(Text(NotOpen, lang));
        return;
    }
    if (g_.acquisitionBusy) {
        platform::MessageBox(Text(InAcquisition, lang));
        return;
    }
    SetStatus(QString());
    curveBoxes_[kCurveMeasured]->setChecked(true);
    CScanCheck check =
        CheckScanSettings(setting_->from()->text(), setting_->end()->text(),
                          setting_->step()->text(), setting_->amplitude()->text(), lang);
    if (!check.accepted) {
        if (check.resetAmplitude)
            setting_->amplitude()->setText(QStringLiteral("32"));
        platform::MessageBox(check.message);
        return;
    }
    data_.excitationAmplitude = check.settings.amplitude;
    data_.scanFrom = check.settings.from;
    data_.scanEnd = check.settings.end;
    data_.scanStep = check.settings.step;
    configStep_ = 0;
    configTimer_.start(CScanProtocol::kConfigDelayMs[0]);
    g_.acquisitionBusy = 1;
    SetStatus(Text(Acquiring, lang));
    start_->setEnabled(false);
    unlock_->setChecked(false);
    progress_->setValue(0);
    progress_->show();
    linkTimer_.start();
}

void CTIDDlg::RunConfigurationStep() {
    QLineEdit* const typed[4] = {setting_->from(), setting_->end(), setting_->step(),
                                 setting_->amplitude()};
    const int step = configStep_;
    if (step < 0)
        return;
    protocol_.ConfigurationStep(step, step < 4 ? TypedInt(typed[step]->text()) : 0);
    if (step < 4) {
        configStep_ = step + 1;
        configTimer_.start(CScanProtocol::kConfigDelayMs[step + 1]);
    } else {
        configStep_ = -1;
    }
}

void CTIDDlg::SendRequest(const CLinkRequest& r) {
    if (r.delayMs > 0) {
        delayed_ = r;
        pollTimer_.start(r.delayMs);
        return;
    }
    g_.link.Request(replyTarget_, r.command, r.key, r.data);
}

void CTIDDlg::OnLinkValue(std::uint32_t value, std::int32_t key) {
    protocol_.OnLinkValue(value, key, g_.parameterReadStep);
    UpdateProgress();
}

void CTIDDlg::OnLinkAbort(std::int32_t key) {
    protocol_.OnLinkAbort(key, g_.parameterReadStep);
}

void CTIDDlg::UpdateProgress() {
    if (!protocol_.Active())
        return;
    progress_->setRange(0, protocol_.WordsTotal());
    progress_->setValue(protocol_.WordsRead());
}

void CTIDDlg::OnReadoutDone() {
    finishTimer_.start(CScanProtocol::kFinishDelayMs);
}

void CTIDDlg::FinishScan() {
    linkTimer_.stop();
    progress_->hide();
    AnalyseAndRedraw();
    g_.acquisitionBusy = 0;
    SetStatus(Text(Finished, Language()));
}

void CTIDDlg::OnScanFailed() {
    StopScan();
    g_.acquisitionBusy = 0;
    SetStatus(QString());
    ShowLater(Text(Failed, Language()));
}

void CTIDDlg::OnUnexpectedStatus() {
    ShowLater(Text(UnexpectedStatus, Language()));
}

void CTIDDlg::OnHeaderValueStored() {
    ShowScanSettings();
}

void CTIDDlg::StopScan() {
    configTimer_.stop();
    pollTimer_.stop();
    linkTimer_.stop();
    configStep_ = -1;
    protocol_.Abandon();
    progress_->hide();
}

void CTIDDlg::OnClosing() {
    g_.acquisitionBusy = 0;
    StopScan();
}

// A lost link drops every request: the scan ends with a status instead of waiting forever.
void CTIDDlg::WatchLink() {
    if (g_.online == 1 || !ScanActive())
        return;
    StopScan();
    g_.acquisitionBusy = 0;
    SetStatus(Text(LinkLost, Language()));
}

// Shown once the link's message has been handled, so the worker is not held by the box.
void CTIDDlg::ShowLater(const QString& text) {
    QTimer::singleShot(0, this, [text] { platform::MessageBox(text); });
}
