#pragma once
// The page read in the running program: the application's own start-up (main frame, page
// registrations, status-word watch, blink timer), the page opened by its menu command in its
// frame on screen, the link opened with the tool-bar button.
#include <QString>
#include <memory>

class CGlobal;
class CMainFrame;
class CParamPage;
class CVeltrixApp;
class RowClock;
struct Transport;

class ProgramRun {
public:
    ProgramRun();
    ~ProgramRun();

    // Starts the program on the base folder and opens the page (offline, so it reads nothing).
    bool Start(const QString& base);
    // Opens the link from the settings file with the tool-bar button; true once the drive
    // answered and the read that the confirmation starts is over.
    bool Connect(const Transport& t);
    void Disconnect();
    // Brings the page up by its menu command, which reads all rows; false when not all came.
    bool ReadPage(int rows, RowClock*& clock);
    // The link flags and the page's read, for a message when a step did not end.
    QString State() const;

private:
    bool Settled(int limitMs);

    QString base_;
    std::unique_ptr<CGlobal> global_;
    std::unique_ptr<CVeltrixApp> app_;
    CParamPage* page_ = nullptr;
    std::unique_ptr<RowClock> clock_;
};
