// Replays the fuzzer's seed corpus and every input that ever crashed the reader.

#include "fuzz/FuzzTarget.h"

#include <gtest/gtest.h>
#include <QtCore/QDirIterator>

namespace karvel {
namespace {

TEST(FuzzCorpusTest, EveryKeptInputReadsWithoutHarm) {
    int replayed = 0;
    for (const char* folder : {"fuzz/corpus", "fuzz/crashes"}) {
        QDirIterator files(QStringLiteral(KARVEL_SOURCE_DIR "/tests/") + QLatin1String(folder),
                           QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            SCOPED_TRACE(file.fileName().toStdString());
            fuzz::ReadAndWriteBack(file.readAll());
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 5) << "the seed corpus is missing";
}

} // namespace
} // namespace karvel
