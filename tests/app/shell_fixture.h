#pragma once
// A main frame over a throw-away base folder, with message boxes captured.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <memory>

#include "app/global.h"
#include "app/mainframe.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

// Clicks a check or radio button on its indicator (its centre may lie beyond the label).
inline void ClickIndicator(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes [section] key = value to the base folder's sys.ini.
    void SetSetting(const QString& section, const QString& key, const QString& value);
    QString Setting(const QString& section, const QString& key) const;
    // Creates the global objects and the main frame (after the settings are written).
    void StartFrame();

    MsgBoxCapture boxes;
    TempBase base;
    std::unique_ptr<CGlobal> global;
    std::unique_ptr<CMainFrame> frame;
};
