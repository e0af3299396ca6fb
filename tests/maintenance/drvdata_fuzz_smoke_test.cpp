// Replays the drive data fuzz corpus and generated files through the fuzz entry.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <random>

#include "drvdata_fuzz_entry.h"

namespace {

void Feed(const QByteArray& input) {
    FuzzDrvDataOnce(reinterpret_cast<const std::uint8_t*>(input.constData()),
                    static_cast<std::size_t>(input.size()));
}

TEST(DrvDataFuzzSmoke, CorpusAndGeneratedFilesRunToTheEnd) {
    const QDir corpus(QStringLiteral(VELTO_SOURCE_DIR "/tests/maintenance/fuzz_corpus/drvdata"));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        Feed(file.readAll());
    }
    const QByteArray alphabet = "0123456789abcdefABCDEFx,iF\n\r -True";
    std::mt19937 random(15);
    for (int i = 0; i < 2000; ++i) {
        QByteArray text;
        const int length = static_cast<int>(random() % 120);
        for (int k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
        Feed(text);
    }
}

}  // namespace
