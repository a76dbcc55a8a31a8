#include "shell/RecentFiles.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

TEST(RecentFilesTest, AFileAlreadyListedMovesToTheTopWithoutADuplicate) {
    RecentFiles recent;
    recent.Add(QStringLiteral("/a.rst"));
    recent.Add(QStringLiteral("/b.rst"));
    recent.Add(QStringLiteral("/c.rst"));
    recent.Add(QStringLiteral("/a.rst"));
    EXPECT_EQ(recent.Entries(), (QStringList{"/a.rst", "/c.rst", "/b.rst"}));
}

TEST(RecentFilesTest, AFifthFilePushesTheOldestOut) {
    RecentFiles recent;
    for (const char* path : {"/1.rst", "/2.rst", "/3.rst", "/4.rst", "/5.rst"})
        recent.Add(QString::fromLatin1(path));
    EXPECT_EQ(recent.Entries(), (QStringList{"/5.rst", "/4.rst", "/3.rst", "/2.rst"}));
}

TEST(RecentFilesTest, PathsKeepTheirCaseAndEmptyOnesAreIgnored) {
    RecentFiles recent;
    recent.Add(QStringLiteral("/Boards/Amp.rst"));
    recent.Add(QStringLiteral("/boards/amp.rst"));
    recent.Add(QString());
    EXPECT_EQ(recent.Entries(), (QStringList{"/boards/amp.rst", "/Boards/Amp.rst"}));
}

TEST(RecentFilesTest, StoredEntriesLoadInTheirOrder) {
    RecentFiles recent;
    recent.Add(QStringLiteral("/old.rst"));
    recent.Load(
        {QStringLiteral("/0.rst"), QString(), QStringLiteral("/1.rst"), QStringLiteral("/0.rst")});
    EXPECT_EQ(recent.Entries(), (QStringList{"/0.rst", "/1.rst"}));
}

TEST(RecentFilesTest, MissingFilesAreDropped) {
    QTemporaryDir folder;
    const QString here = folder.filePath(QStringLiteral("here.rst"));
    QFile file(here);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    RecentFiles recent;
    recent.Add(folder.filePath(QStringLiteral("gone.rst")));
    recent.Add(here);
    recent.DropMissing();
    EXPECT_EQ(recent.Entries(), QStringList{here});
}

TEST(RecentFilesTest, ChosenEntriesMoveToTheTop) {
    RecentFiles recent;
    recent.Load({QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")});
    recent.MoveToTop(2);
    EXPECT_EQ(recent.Entries(), (QStringList{"/c", "/a", "/b"}));
    recent.MoveToTop(7);
    EXPECT_EQ(recent.Entries(), (QStringList{"/c", "/a", "/b"}));
}

TEST(RecentFilesTest, MenuCaptionsAreNumberedAndCutToThirtyCharacters) {
    EXPECT_EQ(RecentFiles::MenuCaption(0, QStringLiteral("/a/b.rst")), u"&1 /a/b.rst");
    const QString caption = RecentFiles::MenuCaption(
        3, QStringLiteral("/home/someone/projects/boards/555-blinker.rst"));
    EXPECT_TRUE(caption.startsWith(u"&4 "));
    const QString shown = caption.mid(3);
    EXPECT_EQ(shown.size(), 30);
    EXPECT_TRUE(shown.endsWith(u"/555-blinker.rst"));
    EXPECT_TRUE(shown.startsWith(u"/home/"));
    EXPECT_TRUE(shown.contains(u"..."));
    EXPECT_EQ(RecentFiles::MenuCaption(1, QStringLiteral("/R&D/x.rst")), u"&2 /R&&D/x.rst");
}

TEST(RecentFilesTest, AVeryLongFileNameKeepsItsEnd) {
    const QString name = QStringLiteral("/a-very-long-project-name-of-a-board.rst");
    const QString cut = RecentFiles::Shortened(name, 30);
    EXPECT_EQ(cut.size(), 30);
    EXPECT_TRUE(cut.startsWith(u"..."));
    EXPECT_TRUE(cut.endsWith(u"board.rst"));
}

} // namespace
} // namespace karvel
