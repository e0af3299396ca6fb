#include "support/temp_base.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempBase::TempBase() {
    QDir base(dir_.path());
    base.mkpath("data");
    base.mkpath("sys");
    base.mkpath("user");
}

void TempBase::Write(const QString& relative, const QByteArray& content) const {
    QString path = File(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

bool TempBase::CopyFromRuntime(const QString& relative) const {
    QString target = File(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    return QFile::copy(RuntimeDir() + "/" + relative, target);
}

QString RuntimeDir() {
    return QStringLiteral(VELTO_RUNTIME_DIR);
}
