// The fuzz target's seed files and a few hostile inputs through its entry, in the normal suite.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstring>

#include "scanfile_fuzz_entry.h"

TEST(ScanFileFuzzEntry, SeedsAndHostileInputsPass) {
    QDir seeds(QStringLiteral(VELTO_SOURCE_DIR "/tests/tuner/fuzz_corpus/scanfile"));
    QStringList files = seeds.entryList(QDir::Files);
    ASSERT_GE(files.size(), 3);
    for (const QString& name : files) {
        QFile f(seeds.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        QByteArray bytes = f.readAll();
        FuzzScanFileOnce(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         static_cast<std::size_t>(bytes.size()));
    }
    for (const char* hostile :
         {"2147483647;-2147483648;-1;1e308;-2147483648;0;0;nan;2147483647;\nlength 1\n"
          "9223372036854775807\n-9223372036854775808\n#\n9223372036854775807\n-1\n",
          "0;0;1;0;0;0;0;0;-2147483648;\nlength 1\n1\n2\n#\n3\n4\n", ";;;;;;;;;\n",
          "1;2;3;4;5;6;7;8;9;\nlength\n"}) {
        FuzzScanFileOnce(reinterpret_cast<const std::uint8_t*>(hostile), std::strlen(hostile));
    }
}
