#pragma once
// The oscilloscope page against the simulated drive (veltosim over a pseudo-terminal).
#include <QAbstractButton>
#include <QComboBox>
#include <QString>
#include <QTranslator>
#include <memory>

#include "scope/driveroscillo.h"
#include "sim_link.h"
#include "support/msgbox_capture.h"

// Writes and reads drive objects for the test, waiting for each answer.
class DriveAccess : public platform::MessageTarget {
public:
    explicit DriveAccess(CGlobal& g) : g_(g) {}
    bool Write(std::int32_t key, std::uint8_t command, std::int32_t value);
    bool Read(std::int32_t key, std::uint32_t& value);
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

private:
    bool Wait(std::int32_t key);
    CGlobal& g_;
    std::int32_t lastKey_ = -1;
    std::uint32_t lastValue_ = 0;
    bool aborted_ = false;
};

// Stands in for the main window: hands the values formulas asked for to the evaluator.
class MainStandIn : public platform::MessageTarget {
public:
    explicit MainStandIn(CGlobal& g) : g_(g) {}
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;
    int linkDown = 0;
    int browserOpened = 0;  // requests to open the object dictionary browser

private:
    CGlobal& g_;
};

class ScopeSimFixture {
public:
    // Starts the simulator, opens the page (in `language`) and reads the drive's settings.
    bool Open(int language = 2, const QStringList& simOptions = {});
    ~ScopeSimFixture();

    CDriverOscillo& page() { return *page_; }
    CGlobal& g() { return sim_.g(); }
    SimLink& sim() { return sim_; }
    DriveAccess& drive() { return *drive_; }

    // Velocity mode at the speed: the motor moves, so the signals do.
    bool RunMotor(int rpm);
    // Picks the drop-down entry with this text as a user does (keyboard), true when found.
    static bool Choose(QComboBox* box, const QString& text);
    // Types into a field and presses Enter.
    static void Type(QWidget* field, const QString& text);
    // Clicks a check box or radio button on its indicator.
    static void Click(QAbstractButton* button);
    bool WaitReadDone(int timeoutMs = 10000);
    // Ticks channel k with the named object and waits for the drive's read-back.
    bool UseChannel(int k, const QString& objectName);
    bool WaitCaptureDone(int timeoutMs = 15000);
    // The object's name in the dictionary's language.
    QString NameOf(std::int32_t key);

private:
    SimLink sim_;
    std::unique_ptr<DriveAccess> drive_;
    std::unique_ptr<MainStandIn> main_;
    std::unique_ptr<CDriverOscillo> page_;
    QTranslator* translator_ = nullptr;
};
