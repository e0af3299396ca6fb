// Replays the scope fuzz corpus and a deterministic batch of mutated recordings through the
// fuzz entry (which aborts on a recording that does not read back).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <random>

#include "scope/recording.h"
#include "scope_fuzz_entry.h"

namespace {

void Feed(const QByteArray& input) {
    FuzzScopeFilesOnce(reinterpret_cast<const std::uint8_t*>(input.constData()),
                       std::size_t(input.size()));
}

TEST(ScopeFuzzSmoke, CorpusAndMutatedRecordingsRunToTheEnd) {
    const QDir corpus(QStringLiteral(VELTO_SOURCE_DIR "/tests/scope/fuzz_corpus/scope_files"));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 3);
    QByteArray recording;
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        Feed(bytes);
        if (name == "recording.txt")
            recording = bytes;
    }
    ASSERT_FALSE(recording.isEmpty());
    std::mt19937 random(13);
    for (int i = 0; i < 2000; ++i) {
        QByteArray mutated = recording;
        for (int n = int(random() % 6); n >= 0; --n)
            mutated[int(random() % mutated.size())] = char(random() % 128);
        Feed(mutated);
    }
}

}  // namespace
