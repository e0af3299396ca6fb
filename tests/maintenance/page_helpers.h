#pragma once
// Helpers of the page tests: scripted file dialogs, button clicks, list texts.
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <vector>

#include "maintenance/batchpage.h"
#include "maintenance/filechooser.h"
#include "maintenance/reportlist.h"

// Answers the pages' file dialogs with the queued paths (an empty answer is a cancel).
class ChooserScript {
public:
    ChooserScript() {
        previous_ = SetFileChooser([this](QWidget*, const FileDialogOptions& options) {
            dialogs.push_back(options);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    ~ChooserScript() { SetFileChooser(previous_); }
    QStringList answers;
    std::vector<FileDialogOptions> dialogs;

private:
    FileChooser previous_;
};

inline void Click(QWidget& page, const char* button) {
    auto* b = page.findChild<QPushButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    ASSERT_TRUE(b->isEnabled()) << button;
    QTest::mouseClick(b, Qt::LeftButton);
}

inline bool WaitPass(CBatchPage& page, int timeoutMs = 30000) {
    return QTest::qWaitFor([&] { return !page.PassRunning(); }, timeoutMs);
}

inline QStringList Column(const CReportList& list, int column) {
    QStringList texts;
    for (int r = 0; r < list.rowCount(); ++r) texts << list.ItemText(r, column);
    return texts;
}

inline QString Status(CBatchPage& page) {
    return page.StatusField()->text();
}

// Saves a picture of the widget when VELTO_SCREENSHOT_DIR names a folder (to look at pages).
inline void MaybeShoot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("VELTO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        widget.grab().save(folder + "/" + name + ".png");
}
