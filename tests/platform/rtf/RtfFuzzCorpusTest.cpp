// Replays the RTF fuzzer's seed corpus and every input that ever broke the reader.

#include "fuzz/RtfFuzzTarget.h"

#include <gtest/gtest.h>
#include <QtCore/QDirIterator>

namespace karvel {
namespace {

TEST(RtfFuzzCorpusTest, EveryKeptInputReadsAndWritesBackUnchanged) {
    int replayed = 0;
    for (const char* folder : {"fuzz/rtf-corpus", "fuzz/rtf-crashes"}) {
        QDirIterator files(QStringLiteral(KARVEL_SOURCE_DIR "/tests/") + QLatin1String(folder),
                           QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            EXPECT_TRUE(fuzz::ReadRtfAndWriteBack(file.readAll())) << file.fileName().toStdString();
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 5) << "the seed corpus is missing";
}

} // namespace
} // namespace karvel
