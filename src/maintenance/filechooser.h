#pragma once
// The open and save dialogs of the batch pages. Tests install their own chooser that answers
// with a path, so the pages' buttons run the real code.
#include <QString>
#include <QStringList>
#include <functional>

class CGlobal;
class QWidget;

struct FileDialogOptions {
    bool save = false;
    QString title;
    QStringList filters;  // "Files(*.qxi)" ...
    QString defaultSuffix;
    QString initialPath;
};

// The chosen path, or an empty text when the user cancelled.
using FileChooser = std::function<QString(QWidget* parent, const FileDialogOptions& options)>;

QString ChooseFile(QWidget* parent, const FileDialogOptions& options);
// Installs a chooser and returns the previous one (an empty one restores the dialogs).
FileChooser SetFileChooser(FileChooser chooser);

// Where an open dialog of a batch page starts: the user folder followed by "name" when that
// folder exists, else the base folder the first time in a run.
QString InitialDataPath(const CGlobal& g);
