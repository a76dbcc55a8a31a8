#include <QtCore/QProcess>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode;
    QString out, err;
};

ToolRun RunTool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(KARVEL_TOOL_PATH), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(KarvelToolTest, VersionNamesTheFileVersion) {
    const ToolRun run = RunTool({QStringLiteral("version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("3,08"))) << run.out.toStdString();
}

TEST(KarvelToolTest, BadCommandsGetUsageAndStatusTwo) {
    for (const QStringList& args : {QStringList{}, QStringList{QStringLiteral("frobnicate")}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage"))) << run.err.toStdString();
    }
}

} // namespace
