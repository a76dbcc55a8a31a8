#include "platform/IniFile.h"
#include "support/OrdinaryFileRights.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace karvel {
namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString Karvel = QStringLiteral("Karvel");

TEST(IniFileReading, FindsSectionsAndKeysWhateverTheirCase) {
    // "FRÄSEN" with the Windows-1252 byte of Ä.
    const IniFile ini = IniFile::FromBytes("[Karvel]\r\nUndoAnz=25\r\n[FR\xC4SEN]\r\nLeft=7\r\n");
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("KARVEL"), QStringLiteral("undoanz"), 0), 25);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("karvel"), QStringLiteral("UNDOANZ"), 0), 25);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Fräsen"), QStringLiteral("left"), 0), 7);
    EXPECT_TRUE(ini.HasSection(QStringLiteral("fräsen")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Fräsen"), QStringLiteral("UndoAnz")))
        << "keys belong to their own section";
    EXPECT_EQ(ini.Sections(), QStringList({QStringLiteral("Karvel"), QStringLiteral("FRÄSEN")}));
}

TEST(IniFileReading, ValuesAreTakenRaw) {
    const struct {
        const char* line;
        QString value;
    } cases[] = {
        {"Path=C:\\Boards\\new", QStringLiteral("C:\\Boards\\new")},
        {"Path=/home/anna/Boards,alt/", QStringLiteral("/home/anna/Boards,alt/")},
        {"Path=a, b ,c", QStringLiteral("a, b ,c")},
        {"Path = \t spaced value \t", QStringLiteral("spaced value")},
        {"Path=a ; no comment here", QStringLiteral("a ; no comment here")},
        {"Path=a=b", QStringLiteral("a=b")},
        {"Path=\"  quoted  \"", QStringLiteral("  quoted  ")},
        {"Path='x'", QStringLiteral("x")},
        {"Path=\"unbalanced", QStringLiteral("\"unbalanced")},
        {"Path=\xA0nbsp", QStringLiteral("\u00A0nbsp")},
        {"Path=%HOME%\\n", QStringLiteral("%HOME%\\n")},
        {"Path=", QString()},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromBytes(QByteArray("[S]\n") + c.line + "\n");
        EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("path"), QStringLiteral("?")),
                  c.value)
            << c.line;
    }
}

TEST(IniFileReading, ToleratesTheShapesFilesComeIn) {
    const QString ä = QStringLiteral("ä");
    const struct {
        const char* name;
        QByteArray bytes;
        QString section;
        QString expected;
    } cases[] = {
        {"CRLF", "[A]\r\nK=crlf\r\n", "A", "crlf"},
        {"LF", "[A]\nK=lf\n", "A", "lf"},
        {"no final line break", "[A]\nK=last", "A", "last"},
        {"blank lines and comments", "\n\n; c\n# c\n[A]\n\n  \nK=x\n", "A", "x"},
        {"blanks around the header", "  [ A ]  \nK=x\n", "A", "x"},
        {"header without bracket", "[A\nK=x\n", "A", "x"},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF[\xC3\xA4]\nK=\xC3\xA4\n", ä, ä},
        {"Windows-1252", "[\xE4]\nK=\xE4\n", ä, ä},
        {"key before any section", "K=early\n[A]\nK=x\n", "", "early"},
        {"first of two keys", "[A]\nK=first\nk=second\n", "A", "first"},
        {"key in a repeated section", "[A]\n[B]\nK=b\n[a]\nK=second\n", "A", "second"},
        {"line without equals sign", "[A]\nK\nK=x\n", "A", "x"},
        {"lone carriage returns", "[A]\rK=x\r", "A", "?"},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromBytes(c.bytes);
        EXPECT_EQ(ini.ReadString(c.section, QStringLiteral("k"), QStringLiteral("?")), c.expected)
            << c.name;
    }
}

TEST(IniFileReading, TypedValuesFallBackOnAnythingElse) {
    constexpr int F = -999;
    const struct {
        const char* text;
        int integer;
        bool boolean; // read with fallback false
        Colour colour;
    } cases[] = {
        {"12", 12, true, 12},
        {" 12 ", 12, true, 12},
        {"+7", 7, true, 7},
        {"-3", -3, true, 1},
        {"0", 0, false, 0},
        {"0x1F", 31, true, 31},
        {"$FF", 255, true, 255},
        {"12171705", 12171705, true, 0xB9B9B9},
        {"16777215", 16777215, true, 0xFFFFFF},
        {"16777216", 16777216, true, 1},
        {"2147483647", 2147483647, true, 1},
        {"2147483648", F, false, 1},
        {"99999999999999999999", F, false, 1},
        {"12abc", F, false, 1},
        {"1.5", F, false, 1},
        {"0x", F, false, 1},
        {"yes", F, false, 1},
        {"", F, false, 1},
        {"- 3", F, false, 1},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromBytes(QByteArray("[S]\nK=") + c.text);
        const QString s = QStringLiteral("S");
        const QString k = QStringLiteral("K");
        EXPECT_EQ(ini.ReadInteger(s, k, F), c.integer) << c.text;
        EXPECT_EQ(ini.ReadBool(s, k, false), c.boolean) << c.text;
        EXPECT_EQ(ini.ReadColour(s, k, 1), c.colour) << c.text;
    }
}

TEST(IniFileReading, FloatsTakeAPointOrAComma) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"25.4", 25.4}, {"25,4", 25.4},  {" 10 ", 10.0}, {"-0.5", -0.5},
                 {"1e2", 100.0}, {"1,000.5", -1}, {"1,2,3", -1},  {"abc", -1},
                 {"nan", -1},    {"inf", -1},     {"1e999", -1},  {"", -1}};
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromBytes(QByteArray("[S]\nK=") + c.text);
        EXPECT_DOUBLE_EQ(ini.ReadFloat(QStringLiteral("S"), QStringLiteral("K"), -1), c.value)
            << c.text;
    }
}

// A file as a person edits it: comments, odd spacing, Windows-1252 bytes that Latin-1 or UTF-8
// would get wrong, and line breaks of its own.
const QByteArray Edited = "; Karvel \x80 settings, sch\xF6n\r\n"
                          "[Karvel]\r\n"
                          "UndoAnz = 25\r\n"
                          "; the folder of the last bitmap\r\n"
                          "BitmapPath=C:\\Bilder,alt\\\r\n"
                          "\r\n"
                          "[Backup]\r\n"
                          "Aktiv=1\r\n"
                          "weird line \x81\x8D\r\n"
                          "\r\n"
                          "[Lineale]\r\n"
                          "visible=0\r\n";

TEST(IniFileWriting, ChangesOnlyTheLinesWritten) {
    IniFile ini = IniFile::FromBytes(Edited);
    ini.WriteInteger(QStringLiteral("KARVEL"), QStringLiteral("undoanz"), 30);
    ini.WriteString(Karvel, QStringLiteral("ExportDir"), QStringLiteral("D:\\Export"));
    ini.WriteBool(QStringLiteral("Backup"), QStringLiteral("Intervall"), true);
    ini.WriteString(QStringLiteral("MRU"), QStringLiteral("MRU0"), QStringLiteral("/a/B.rst"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("; Karvel \x80 settings, sch\xF6n\r\n"
                                        "[Karvel]\r\n"
                                        "UndoAnz=30\r\n"
                                        "; the folder of the last bitmap\r\n"
                                        "BitmapPath=C:\\Bilder,alt\\\r\n"
                                        "ExportDir=D:\\Export\r\n"
                                        "\r\n"
                                        "[Backup]\r\n"
                                        "Aktiv=1\r\n"
                                        "Intervall=1\r\n"
                                        "weird line \x81\x8D\r\n"
                                        "\r\n"
                                        "[Lineale]\r\n"
                                        "visible=0\r\n"
                                        "\r\n"
                                        "[MRU]\r\n"
                                        "MRU0=/a/B.rst\r\n"));
}

TEST(IniFileWriting, KeepsUnixLineBreaks) {
    IniFile ini = IniFile::FromBytes("[A]\nK=1\n");
    ini.WriteString(QStringLiteral("A"), QStringLiteral("L"), QStringLiteral("2"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\nK=1\nL=2\n"));
    IniFile fresh;
    fresh.WriteString(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("1"));
    EXPECT_EQ(fresh.ToBytes(), QByteArray("[A]\r\nK=1\r\n")) << "a new file has Windows breaks";
}

TEST(IniFileWriting, NewKeyInAnEmptySectionFollowsItsComments) {
    IniFile ini = IniFile::FromBytes("K=0\n[A]\n; only a comment\n\n[B]\n");
    ini.WriteString(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("1"));
    ini.WriteString(QString(), QStringLiteral("L"), QStringLiteral("2"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("K=0\nL=2\n[A]\n; only a comment\nK=1\n\n[B]\n"));
}

TEST(IniFileWriting, WholeSectionsAreReplacedWhereTheyStandOrErased) {
    IniFile ini = IniFile::FromBytes("[MRU]\n; recent\nMRU0=a\nMRU1=b\nMRU2=c\n\n[X]\nK=1\n"
                                     "[mru]\nMRU3=d\n");
    ini.WriteSection(QStringLiteral("MRU"), {{QStringLiteral("MRU0"), QStringLiteral("n")},
                                             {QStringLiteral("MRU1"), QStringLiteral("a")}});
    EXPECT_EQ(ini.ToBytes(), QByteArray("[MRU]\n; recent\nMRU0=n\nMRU1=a\n\n[X]\nK=1\n[mru]\n"));
    EXPECT_EQ(ini.Keys(QStringLiteral("Mru")),
              QStringList({QStringLiteral("MRU0"), QStringLiteral("MRU1")}));

    ini.EraseSection(QStringLiteral("mru"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[X]\nK=1\n"));
    EXPECT_FALSE(ini.HasSection(QStringLiteral("MRU")));
}

TEST(IniFileWriting, WindowsCharactersStayWindows1252) {
    IniFile ini = IniFile::FromBytes("[Fr\xE4sen]\nparent=none\n");
    ini.WriteString(QStringLiteral("Fräsen"), QStringLiteral("parent"), QStringLiteral("€ ä"));
    EXPECT_FALSE(ini.IsUtf8());
    EXPECT_EQ(ini.ToBytes(), QByteArray("[Fr\xE4sen]\nparent=\x80 \xE4\n"));
}

TEST(IniFileWriting, AValueOutsideWindows1252TurnsTheFileIntoUtf8) {
    IniFile ini = IniFile::FromBytes("; sch\xF6n \x81\n[MRU]\nMRU0=/b\xE4r.rst\n");
    const QString path = QStringLiteral("/home/łukasz/płytka.rst");
    ini.WriteString(QStringLiteral("MRU"), QStringLiteral("MRU1"), path);
    ASSERT_TRUE(ini.IsUtf8());
    const IniFile reread = IniFile::FromBytes(ini.ToBytes());
    EXPECT_EQ(reread.ReadString(QStringLiteral("MRU"), QStringLiteral("MRU1")), path);
    EXPECT_EQ(reread.ReadString(QStringLiteral("MRU"), QStringLiteral("MRU0")),
              QStringLiteral("/bär.rst"));
    EXPECT_TRUE(reread.ToBytes().startsWith("\xEF\xBB\xBF; sch\xC3\xB6n \xC2\x81\n"));
}

// Editors of other systems save settings as UTF-8 without a byte order mark; an entry such as
// "Grüße €.rst" must read as it was typed and come back byte for byte, as a Windows-1252 file
// does in its own encoding.
TEST(IniFileWriting, EachEncodingComesBackAsItCame) {
    const QString path = QStringLiteral("/home/anna/Grüße €.rst");
    const QString added = QStringLiteral("/tmp/Maß ä.rst");
    const struct {
        const char* name;
        QByteArray bytes;
        bool utf8;
        QByteArray addedLine;
    } cases[] = {
        {"UTF-8 without byte order mark",
         "; Gr\xC3\xBC\xC3\x9F"
         "e\n[MRU]\nMRU0=/home/anna/Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC.rst\n",
         true, "MRU1=/tmp/Ma\xC3\x9F \xC3\xA4.rst\n"},
        {"UTF-8 with byte order mark",
         "\xEF\xBB\xBF[MRU]\r\nMRU0=/home/anna/Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC.rst\r\n",
         true, "MRU1=/tmp/Ma\xC3\x9F \xC3\xA4.rst\r\n"},
        {"Windows-1252",
         "; Gr\xFC\xDF"
         "e\n[MRU]\nMRU0=/home/anna/Gr\xFC\xDF"
         "e \x80.rst\n",
         false, "MRU1=/tmp/Ma\xDF \xE4.rst\n"},
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::FromBytes(c.bytes);
        EXPECT_EQ(ini.IsUtf8(), c.utf8) << c.name;
        EXPECT_EQ(ini.ReadString(QStringLiteral("MRU"), QStringLiteral("MRU0")), path) << c.name;
        EXPECT_EQ(ini.ToBytes(), c.bytes) << c.name;
        ini.WriteString(QStringLiteral("MRU"), QStringLiteral("MRU1"), added);
        EXPECT_EQ(ini.ToBytes(), c.bytes + c.addedLine) << c.name;
        const IniFile reread = IniFile::FromBytes(ini.ToBytes());
        EXPECT_EQ(reread.ReadString(QStringLiteral("MRU"), QStringLiteral("MRU0")), path) << c.name;
        EXPECT_EQ(reread.ReadString(QStringLiteral("MRU"), QStringLiteral("MRU1")), added)
            << c.name;
    }
}

// Bytes that are not UTF-8 throughout are Windows-1252, even where a part of them would be.
TEST(IniFileReading, AFileThatIsNotUtf8ThroughoutIsWindows1252) {
    const IniFile ini = IniFile::FromBytes("[A]\nx=\xC3\xBC\ny=\xFC\n");
    EXPECT_FALSE(ini.IsUtf8());
    EXPECT_EQ(ini.ReadString(QStringLiteral("A"), QStringLiteral("y")), QStringLiteral("ü"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("A"), QStringLiteral("x")), QStringLiteral("Ã¼"));
}

TEST(IniFileWriting, ALineBreakInAValueCannotStartALine) {
    IniFile ini;
    ini.WriteString(QStringLiteral("MRU"), QStringLiteral("MRU0"),
                    QStringLiteral("/tmp/a\n[Karvel]\r\nUndoAnz=0"));
    const IniFile reread = IniFile::FromBytes(ini.ToBytes());
    EXPECT_FALSE(reread.HasSection(Karvel));
    EXPECT_EQ(reread.ReadString(QStringLiteral("MRU"), QStringLiteral("MRU0")),
              QStringLiteral("/tmp/a [Karvel]  UndoAnz=0"));
}

class IniFileOnDisk : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }
    QTemporaryDir folder;
};

TEST_F(IniFileOnDisk, MissingFileIsEmptyWithoutError) {
    IniFile ini = IniFile::Load(PathOf(QStringLiteral("KARVEL.INI")));
    EXPECT_FALSE(ini.Existed());
    EXPECT_TRUE(ini.Error().isEmpty());
    EXPECT_EQ(ini.ReadInteger(Karvel, QStringLiteral("UndoAnz"), 10), 10);
    ini.WriteInteger(Karvel, QStringLiteral("UndoAnz"), 3);
    ASSERT_TRUE(ini.Save()) << ini.Error().toStdString();
    EXPECT_EQ(ReadBytes(PathOf(QStringLiteral("KARVEL.INI"))),
              QByteArray("[Karvel]\r\nUndoAnz=3\r\n"));
}

TEST_F(IniFileOnDisk, SavesBackWhatItRead) {
    const QString path = PathOf(QStringLiteral("KARVEL.INI"));
    WriteBytes(path, Edited);
    IniFile ini = IniFile::Load(path);
    ASSERT_TRUE(ini.Error().isEmpty());
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path), Edited);
}

TEST_F(IniFileOnDisk, FailedSaveIsReported) {
    IniFile ini;
    ini.WriteInteger(Karvel, QStringLiteral("UndoAnz"), 3);
    EXPECT_FALSE(ini.Save()) << "no file name yet";
    EXPECT_FALSE(ini.Error().isEmpty());
    const QString plainFile = PathOf(QStringLiteral("plain"));
    WriteBytes(plainFile, "x");
    for (const QString& path : {PathOf(QStringLiteral("no such folder/KARVEL.INI")),
                                QDir(plainFile).filePath(QStringLiteral("KARVEL.INI"))}) {
        EXPECT_FALSE(ini.SaveAs(path)) << path.toStdString();
        EXPECT_TRUE(ini.Error().contains(path)) << ini.Error().toStdString();
    }
    EXPECT_EQ(ReadBytes(plainFile), QByteArray("x"));
}

TEST_F(IniFileOnDisk, ReadOnlyFolderKeepsTheOldFile) {
    const QString readOnly = PathOf(QStringLiteral("installed"));
    ASSERT_TRUE(QDir().mkpath(readOnly));
    const QString path = QDir(readOnly).filePath(QStringLiteral("KARVEL.INI"));
    WriteBytes(path, Edited);
    IniFile loaded = IniFile::Load(path);
    loaded.WriteInteger(Karvel, QStringLiteral("UndoAnz"), 3);
    bool saved = true;
    {
        const test::OrdinaryFileRights rights(folder.path());
        ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0555), 0);
        saved = loaded.Save();
        ::chmod(QFile::encodeName(readOnly).constData(), 0755);
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(loaded.Error().contains(path)) << loaded.Error().toStdString();
    EXPECT_EQ(ReadBytes(path), Edited);
}

TEST_F(IniFileOnDisk, BinaryGarbageReadsAndWritesWithoutHarm) {
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(1234);
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    const QString path = PathOf(QStringLiteral("KARVEL.INI"));
    WriteBytes(path, garbage);

    IniFile ini = IniFile::Load(path);
    EXPECT_TRUE(ini.Error().isEmpty());
    EXPECT_EQ(ini.ReadInteger(Karvel, QStringLiteral("UndoAnz"), 10), 10);
    ini.WriteInteger(Karvel, QStringLiteral("UndoAnz"), 7);
    ASSERT_TRUE(ini.Save());
    const IniFile reread = IniFile::Load(path);
    EXPECT_EQ(reread.ReadInteger(Karvel, QStringLiteral("UndoAnz"), 10), 7);
    EXPECT_GE(ReadBytes(path).size(), garbage.size() - garbage.count('\r'));
}

TEST_F(IniFileOnDisk, OversizedFileIsNeitherReadNorReplaced) {
    const QString path = PathOf(QStringLiteral("KARVEL.INI"));
    const QByteArray huge = "[Karvel]\r\nUndoAnz=5\r\n" + QByteArray(5 << 20, 'x');
    WriteBytes(path, huge);

    IniFile ini = IniFile::Load(path);
    EXPECT_TRUE(ini.Existed());
    EXPECT_FALSE(ini.Error().isEmpty());
    EXPECT_EQ(ini.ReadInteger(Karvel, QStringLiteral("UndoAnz"), 10), 10);
    ini.WriteInteger(Karvel, QStringLiteral("UndoAnz"), 3);
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(QFileInfo(path).size(), huge.size());
    EXPECT_TRUE(ini.SaveAs(PathOf(QStringLiteral("elsewhere.ini"))));
}

TEST_F(IniFileOnDisk, FoldersAndPipesAreNotSettingsFiles) {
    const QString directory = PathOf(QStringLiteral("KARVEL.INI"));
    ASSERT_TRUE(QDir().mkpath(directory));
    const QString pipe = PathOf(QStringLiteral("LAYOUT.INI"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    for (const QString& path : {directory, pipe}) {
        IniFile ini = IniFile::Load(path); // a pipe without a writer would block a plain read
        EXPECT_FALSE(ini.Error().isEmpty()) << path.toStdString();
        EXPECT_FALSE(ini.Save());
    }
}

} // namespace
} // namespace karvel
