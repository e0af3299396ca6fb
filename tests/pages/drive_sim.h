#pragma once
// Widget tests of the I/O, panel, error and PDO pages against the simulated drive: the
// simulator with the shipped data files, its control channel, and screenshots.
#include <gtest/gtest.h>

#include <QString>
#include <functional>

#include "sim_link.h"
#include "support/msgbox_capture.h"

class DriveSimTest : public ::testing::Test {
protected:
    // Starts the simulator on a base with the shipped data and list files; connects unless
    // told not to.
    bool StartSim(bool connect = true, const QStringList& options = {});
    bool Connect();
    // One command on the simulator's control channel, and its answer.
    QString Tell(const QString& command);
    // The simulator's value of an object.
    qint64 Get(std::int32_t key);
    void Set(std::int32_t key, qint64 value);
    // Shows a page at a size, as its frame would.
    void Show(QWidget* page, QSize size);
    // Saves what the widget shows as /tmp/errio-<name>.png.
    void Shot(QWidget* widget, const QString& name);
    void TearDown() override;

    MsgBoxCapture boxes;
    SimLink sim;
};

// Runs the event loop until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
