#include "support/fuzz_replay.h"

#include <QDir>
#include <QFile>

int ReplayFuzzCorpus(const QString& folder, FuzzEntry entry) {
    const QDir corpus(QStringLiteral(VELTO_SOURCE_DIR "/tests/") + folder);
    int count = 0;
    for (const QString& name : corpus.entryList(QDir::Files, QDir::Name)) {
        QFile file(corpus.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
        ++count;
    }
    return count;
}
