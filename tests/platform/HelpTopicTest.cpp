#include "platform/HelpTopic.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

TEST(HelpTopicTest, OpensTheManualOfTheLanguageOnlyWhenInstalled) {
    QTemporaryDir folder;
    std::vector<std::pair<QString, int>> opened;
    const ManualOpener record = [&](const QString& file, int topic) {
        opened.emplace_back(file, topic);
        return true;
    };
    EXPECT_FALSE(ShowHelpTopic(12, folder.path(), false, record));
    EXPECT_TRUE(opened.empty()) << "nothing happens without a manual";

    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Anleitung")));
    QFile manual(folder.filePath(QStringLiteral("Anleitung/Karvel30.html")));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    EXPECT_TRUE(ShowHelpTopic(12, folder.path(), false, record));
    EXPECT_FALSE(ShowHelpTopic(12, folder.path(), true, record)) << "no English manual installed";
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::make_pair(manual.fileName(), 12));
}

} // namespace
} // namespace karvel
