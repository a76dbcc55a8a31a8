// karvel-datagen's command line: options are options, and the data go only into the resources
// folder or a folder named with --into.

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

struct DatagenCase {
    const char* name;
    QStringList args; // "@" stands for the temporary folder
    int status;
    const char* stdoutText; // found on standard output, or on standard error when null
    const char* stderrText;
    const char* written; // a file that must exist afterwards, relative to the folder; or null
};

void PrintTo(const DatagenCase& c, std::ostream* os) {
    *os << c.name;
}

class DatagenOptions : public ::testing::TestWithParam<DatagenCase> {};

TEST_P(DatagenOptions, AreTakenAsOptions) {
    const DatagenCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir base(folder.path());
    ASSERT_TRUE(base.mkpath(QStringLiteral("work")));
    ASSERT_TRUE(base.mkpath(QStringLiteral("plain")));
    // A copy of the resources folder's shape: what marks it, without the data.
    ASSERT_TRUE(base.mkpath(QStringLiteral("resources/icons")));
    QFile marker(base.filePath(QStringLiteral("resources/CMakeLists.txt")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    QStringList args;
    for (const QString& arg : c.args)
        args << (arg.startsWith(u'@') ? base.path() + arg.mid(1) : arg);

    QProcess process;
    process.setWorkingDirectory(base.filePath(QStringLiteral("work")));
    process.start(QStringLiteral(KARVEL_DATAGEN_PATH), args);
    ASSERT_TRUE(process.waitForFinished(120000));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), c.status) << err.toStdString();
    if (c.stdoutText != nullptr)
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.stdoutText))) << out.toStdString();
    if (c.stderrText != nullptr)
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.stderrText))) << err.toStdString();
    // Nothing lands in the working folder, least of all a folder named after an option.
    EXPECT_TRUE(QDir(base.filePath(QStringLiteral("work")))
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty());
    if (c.written != nullptr)
        EXPECT_TRUE(QFileInfo(base.filePath(QString::fromUtf8(c.written))).isFile()) << c.written;
    if (c.status != 0) {
        EXPECT_TRUE(QDir(base.filePath(QStringLiteral("plain")))
                        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                        .isEmpty());
        EXPECT_FALSE(QFileInfo::exists(base.filePath(QStringLiteral("resources/examples"))));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DatagenOptions,
    ::testing::Values(
        DatagenCase{"Help", {"--help"}, 0, "usage: karvel-datagen", "", nullptr},
        DatagenCase{"ShortHelp", {"-h"}, 0, "--into FOLDER", "", nullptr},
        DatagenCase{"UnknownOption",
                    {"--frobnicate"},
                    2,
                    nullptr,
                    "unknown option '--frobnicate'",
                    nullptr},
        DatagenCase{"OptionBeforeFolder",
                    {"--verbose", "@/resources"},
                    2,
                    nullptr,
                    "unknown option '--verbose'",
                    nullptr},
        DatagenCase{"NoFolder", {}, 2, nullptr, "usage:", nullptr},
        DatagenCase{"TwoFolders", {"@/resources", "@/plain"}, 2, nullptr, "one folder", nullptr},
        DatagenCase{"OtherFolder", {"@/plain"}, 2, nullptr, "give --into", nullptr},
        DatagenCase{
            "MissingFolder", {"@/nowhere"}, 2, nullptr, "is not the resources folder", nullptr},
        DatagenCase{
            "IntoWithoutFolder", {"--into"}, 2, nullptr, "--into needs one folder", nullptr},
        DatagenCase{"IntoANewFolder",
                    {"--into", "@/new/data"},
                    0,
                    "wrote ",
                    "",
                    "new/data/examples/555-blinker.rst"},
        DatagenCase{"TheResourcesFolder",
                    {"@/resources"},
                    0,
                    "wrote ",
                    "",
                    "resources/Library/de/LIB1.Lib"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace karvel
