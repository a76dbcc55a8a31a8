#include "platform/RecentFilesSettings.h"

#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

QStringList Paths(std::initializer_list<const char*> paths) {
    QStringList result;
    for (const char* path : paths)
        result.append(QString::fromUtf8(path));
    return result;
}

TEST(RecentFilesSettings, AddPutsThePathOnTopOnceAndKeepsFour) {
    const struct {
        const char* name;
        QStringList added;
        QStringList expected;
    } cases[] = {
        {"most recent first", Paths({"/a.rst", "/b.rst"}), Paths({"/b.rst", "/a.rst"})},
        {"empty path ignored", Paths({"/a.rst", ""}), Paths({"/a.rst"})},
        {"listed path moves up", Paths({"/a.rst", "/b.rst", "/c.rst", "/a.rst"}),
         Paths({"/a.rst", "/c.rst", "/b.rst"})},
        {"top stays top", Paths({"/a.rst", "/b.rst", "/b.rst"}), Paths({"/b.rst", "/a.rst"})},
        {"fifth pushes the oldest out", Paths({"/1", "/2", "/3", "/4", "/5"}),
         Paths({"/5", "/4", "/3", "/2"})},
        {"a moved path pushes nothing out", Paths({"/1", "/2", "/3", "/4", "/1"}),
         Paths({"/1", "/4", "/3", "/2"})},
        {"case tells files apart", Paths({"/home/Anna/Board.rst", "/home/anna/board.rst"}),
         Paths({"/home/anna/board.rst", "/home/Anna/Board.rst"})},
    };
    for (const auto& c : cases) {
        QStringList files;
        for (const QString& path : c.added)
            files = AddRecentFile(files, path);
        EXPECT_EQ(files, c.expected) << c.name;
    }
}

TEST(RecentFilesSettings, ReadsTheSectionWithDigitZeroOnTop) {
    const IniFile ini = IniFile::FromBytes("[Karvel]\nMRU0=/wrong/section.rst\n"
                                           "[mru]\n"
                                           "mru3=/Old/D.rst\n"
                                           "MRU0=/New/A.rst\n"
                                           "MRU2=/Mid/C.rst\n"
                                           "MRU4=/beyond/E.rst\n"
                                           "MRU1=/New/A.rst\n");
    EXPECT_EQ(ReadRecentFiles(ini), Paths({"/New/A.rst", "/Mid/C.rst", "/Old/D.rst"}));
}

TEST(RecentFilesSettings, WriteRewritesTheSectionInPlace) {
    IniFile ini = IniFile::FromBytes("[MRU]\r\nMRU0=/x\r\nMRU1=/y\r\nMRU2=/z\r\nMRU3=/w\r\n"
                                     "\r\n[Karvel]\r\nUndoAnz=5\r\n");
    QStringList files = ReadRecentFiles(ini);
    files = AddRecentFile(files, QStringLiteral("/Boards/Ä b.rst"));
    files = AddRecentFile(files, QStringLiteral("/y"));

    WriteRecentFiles(ini, files);
    EXPECT_EQ(ini.ToBytes(), QByteArray("[MRU]\r\nMRU0=/y\r\nMRU1=/Boards/\xC4 b.rst\r\n"
                                        "MRU2=/x\r\nMRU3=/z\r\n\r\n[Karvel]\r\nUndoAnz=5\r\n"));
    EXPECT_EQ(ReadRecentFiles(ini), files);

    WriteRecentFiles(ini, Paths({"/only.rst"}));
    EXPECT_EQ(ini.Keys(QStringLiteral("MRU")), QStringList{QStringLiteral("MRU0")})
        << "entries beyond the list do not linger";
    WriteRecentFiles(ini, Paths({"/1", "/2", "/3", "/4", "/5"}));
    EXPECT_EQ(ini.Keys(QStringLiteral("MRU")).size(), MaxRecentFiles);
}

} // namespace
} // namespace karvel
