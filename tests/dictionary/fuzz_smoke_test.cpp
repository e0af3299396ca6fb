// Replays the fuzz corpus and a deterministic batch of generated texts through the fuzz entry.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <random>

#include "support/msgbox_capture.h"
#include "units_fixture.h"
#include "units_fuzz_entry.h"

namespace {

void Feed(CGlobal& global, const QByteArray& input) {
    FuzzUnitsOnce(global, reinterpret_cast<const std::uint8_t*>(input.constData()),
                  static_cast<std::size_t>(input.size()));
}

TEST(UnitsFuzzSmoke, CorpusAndGeneratedTextsRunToTheEnd) {
    MsgBoxCapture boxes;  // answers and records the formula messages
    UnitsFixture fixture({}, UnitsFixture::Offline);
    const QDir corpus(QStringLiteral(VELTO_SOURCE_DIR "/tests/dictionary/fuzz_corpus/units"));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        Feed(fixture.global(), file.readAll());
    }
    // Texts made of the formula and definition alphabet, where the interesting cases live.
    const QByteArray alphabet = "0123456789ABCDEF.Nn*/+-[]sqrt()S; ,x";
    std::mt19937 random(6);
    for (int i = 0; i < 3000; ++i) {
        QByteArray text;
        const int length = static_cast<int>(random() % 40);
        for (int k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
        Feed(fixture.global(), text);
    }
    EXPECT_GT(boxes.Count(), 0);  // the malformed inputs did reach the messages
}

}  // namespace
