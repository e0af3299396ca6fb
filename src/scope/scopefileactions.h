#pragma once
// Export (CSV, text recording, bitmap of the page) and import (text recording) of the
// oscilloscope page.
#include <QString>
#include <memory>

#include "scope/recording.h"

class CGlobal;
class QWidget;

// The two dialogs; tests put their own in place.
class IScopeFileDialogs {
public:
    virtual ~IScopeFileDialogs() = default;
    // Title "save data to file", filters csv, txt, bmp; empty when cancelled.
    virtual QString ChooseExport(QWidget* parent, const QString& initialName) = 0;
    // Title "Choose import to file", filter txt; empty when cancelled.
    virtual QString ChooseImport(QWidget* parent, const QString& initialName) = 0;
};
std::unique_ptr<IScopeFileDialogs> MakeScopeFileDialogs();

// What the actions need of the page.
class IScopeRecordable {
public:
    virtual ~IScopeRecordable() = default;
    virtual ScopeRecording Snapshot() const = 0;
    virtual void Restore(const ScopeRecording& recording) = 0;
    // The page as shown, for the bitmap.
    virtual QWidget* PageWidget() = 0;
};

class CScopeFileActions {
public:
    CScopeFileActions(CGlobal& g, IScopeRecordable& page);

    void SetDialogs(std::unique_ptr<IScopeFileDialogs> dialogs) { dialogs_ = std::move(dialogs); }
    // The file written, or empty when nothing was written.
    QString Export();
    // True when a recording was read.
    bool Import();

private:
    QString InitialName() const;
    bool WriteBitmap(const QString& path);

    CGlobal& g_;
    IScopeRecordable& page_;
    std::unique_ptr<IScopeFileDialogs> dialogs_;
};
