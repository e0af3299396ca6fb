#pragma once
// A throw-away base folder with data/, sys/ and user/, removed at the end of the test.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempBase {
public:
    TempBase();
    QString Path() const { return dir_.path(); }
    QString File(const QString& relative) const { return dir_.path() + "/" + relative; }
    // Writes a file below the base folder, creating folders as needed.
    void Write(const QString& relative, const QByteArray& content) const;
    // Copies a file of the built runtime folder (for example "data/velto.dat") into this base.
    bool CopyFromRuntime(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// The built runtime folder (build/runtime).
QString RuntimeDir();
