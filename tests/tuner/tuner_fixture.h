#pragma once
// The tuner window on a CGlobal connected to the simulated drive (veltosim over a
// pseudo-terminal), driven with Qt Test input.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <memory>

#include "sim_link.h"
#include "support/msgbox_capture.h"
#include "tuner/tiddlg.h"
#include "tuner/tidtuner.h"

class TunerFixture {
public:
    // Starts the simulator (with extra options), copies the simulation module into the base
    // folder unless told not to, connects and opens the tuner window.
    bool Open(const QStringList& simOptions = {}, bool withModule = true, bool connect = true);
    ~TunerFixture();

    CTIDtuner& View() { return *view_; }
    CTIDDlg& Dlg() { return view_->Dialog(); }
    CGlobal& g() { return sim_.g(); }
    SimLink& Sim() { return sim_; }
    MsgBoxCapture& Boxes() { return boxes_; }

    template <class T>
    T* Find(const QString& name) {
        return view_->findChild<T*>(name);
    }
    // Replaces a box's text by typing, as a user would.
    void Type(const QString& box, const QString& text);
    void Click(const QString& button);
    // Ticks Unlock and accepts the safety note; false when "start" stays disabled.
    bool Unlock();
    // Types the settings, presses "start" and waits for "finish." (or a failure).
    bool Scan(int from, int end, int step, int amplitude, int timeoutMs = 30000);
    QString Status();
    // Saves a picture of the window when TUNER_SHOTS names a folder.
    void Shot(const QString& name);

private:
    MsgBoxCapture boxes_;
    SimLink sim_;
    std::unique_ptr<CTIDtuner> view_;
};
