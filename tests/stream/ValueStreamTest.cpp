// The typed values under every stored board: exact bytes, tolerant and strict reads, damaged
// streams, and the buffer that must never show in the bytes.

#include "stream/RecordIO.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <limits>
#include <QtCore/QBuffer>
#include <QtCore/QTemporaryFile>
#include <stdexcept>

namespace karvel {
namespace {

const std::string InvalidValueText = "invalid value";
const std::string ReadErrorText = "read error";
constexpr qsizetype FileBuffer = 20000;
constexpr qsizetype TransferBuffer = 2000;

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

QByteArray Written(const std::function<void(ValueWriter&)>& write,
                   qsizetype bufferSize = FileBuffer) {
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    {
        ValueWriter writer(device, bufferSize);
        write(writer);
    }
    return device.data();
}

// A reader over bytes in memory.
struct Source {
    explicit Source(const QByteArray& bytes, qsizetype bufferSize = FileBuffer)
        : reader(Opened(device, bytes), bufferSize) {}

    static QIODevice& Opened(QBuffer& buffer, const QByteArray& bytes) {
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return buffer;
    }

    QBuffer device;
    ValueReader reader;
};

// The kind of StreamError that read() ends with, or "no error".
std::string ErrorOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const StreamError& error) {
        switch (error.GetKind()) {
        case StreamError::Kind::InvalidValue:
            return InvalidValueText;
        case StreamError::Kind::ReadError:
            return ReadErrorText;
        default:
            return "another error";
        }
    }
    return "no error";
}

// --- Writing: the exact bytes

TEST(ValueWriter, IntegersTakeTheSmallestTagThatHoldsThem) {
    const struct {
        std::int32_t value;
        const char* bytes;
    } cases[] = {
        {0, "0200"},
        {127, "027f"},
        {-128, "0280"},
        {128, "038000"},
        {-129, "037fff"},
        {32767, "03ff7f"},
        {-32768, "030080"},
        {32768, "0400800000"},
        {-32769, "04ff7fffff"},
        {std::numeric_limits<std::int32_t>::min(), "0400000080"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written([&](ValueWriter& w) { w.WriteInteger(c.value); }), Hex(c.bytes))
            << c.value;
}

TEST(ValueWriter, BooleansAndFloats) {
    EXPECT_EQ(Written([](ValueWriter& w) { w.WriteBoolean(false); }), Hex("08"));
    EXPECT_EQ(Written([](ValueWriter& w) { w.WriteBoolean(true); }), Hex("09"));
    EXPECT_EQ(Written([](ValueWriter& w) { w.WriteFloat(1.0); }), Hex("0500000000000000 80ff3f"));
}

TEST(ValueWriter, AsciiIsStringOrLStringAndAnythingElseUtf8SoNothingIsLost) {
    const QString longest(255, u'a');
    const QString tooLong(256, u'a');
    const QString longUmlauts(300, u'ö');
    const struct {
        const char* name;
        QString text;
        QByteArray expected;
    } cases[] = {
        {"class name", QStringLiteral("TDraht"), Hex("0606") + "TDraht"},
        {"empty", QString(), Hex("0600")},
        {"255 bytes", longest, Hex("06ff") + longest.toLatin1()},
        {"256 bytes", tooLong, Hex("0c00010000") + tooLong.toLatin1()},
        {"umlaut", QStringLiteral("ö"), Hex("1402000000c3b6")},
        // The euro sign is in the code page, yet not ASCII: UTF-8 keeps it unchanged.
        {"euro", QStringLiteral("5 €"), Hex("1405000000 3520e282ac")},
        {"beyond the code page", QStringLiteral("中"), Hex("1403000000e4b8ad")},
        {"beyond the BMP", QStringLiteral("😀"), Hex("1404000000f09f9880")},
        {"long non-ASCII", longUmlauts, Hex("1458020000") + longUmlauts.toUtf8()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Written([&](ValueWriter& w) { w.WriteString(c.text); }), c.expected);
        // A buffer smaller than the text: the characters go in a buffer's worth at a time.
        EXPECT_EQ(Written([&](ValueWriter& w) { w.WriteString(c.text); }, 3), c.expected);
        // Latin-1 text such as a class name gives the same bytes as the same characters in a
        // QString.
        const QByteArray latin1 = c.text.toLatin1();
        if (QString::fromLatin1(latin1) == c.text) {
            for (const qsizetype bufferSize : {FileBuffer, qsizetype(3)}) {
                EXPECT_EQ(Written([&](ValueWriter& w) { w.WriteString(QLatin1String(latin1)); },
                                  bufferSize),
                          c.expected)
                    << "Latin-1, buffer " << bufferSize;
            }
        }
        Source source(c.expected);
        EXPECT_EQ(source.reader.ReadString(), c.text);
    }
}

// The fixed text fields of a group's identity: a length byte, the text in the code page, zeros
// up to the capacity; longer text loses its end.
TEST(ValueWriter, ShortStringFieldsHaveTheirFixedSize) {
    const struct {
        const char* name;
        QString text;
        QByteArray expected;
    } cases[] = {
        {"ASCII", QStringLiteral("R1"), Hex("02 5231 000000")},
        {"empty", QString(), Hex("00 0000000000")},
        {"exactly the capacity", QStringLiteral("ABCDE"), Hex("05 4142434445")},
        {"cut to the capacity", QStringLiteral("ABCDEFG"), Hex("05 4142434445")},
        {"in the code page", QStringLiteral("¼ W€"), Hex("04 bc205780 00")},
        {"outside the code page", QStringLiteral("中x"), Hex("02 3f78 000000")},
        {"cut inside the code page", QStringLiteral("€€€€€€€"), Hex("05 8080808080")},
        {"a character beyond 16 bits", QString::fromUtf8("\xF0\x9F\x98\x80x"),
         Hex("02 3f78 000000")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Written([&](ValueWriter& w) { record::WriteShortString(w, c.text, 5); }),
                  c.expected);
        EXPECT_EQ(record::EncodeShortString(c.text, 5), c.expected);
    }
}

TEST(ValueWriter, AFailedWriteIsReported) {
    QBuffer device; // read-only: every write is refused
    device.setData(QByteArray());
    device.open(QIODevice::ReadOnly);
    ValueWriter writer(device, FileBuffer);
    writer.WriteInteger(1);
    EXPECT_THROW(writer.FlushBuffer(), std::runtime_error);
}

// --- Reading: what each read accepts

TEST(ValueReader, IntegersAreSignExtended) {
    const struct {
        const char* bytes;
        std::int32_t expected;
    } cases[] = {
        {"0280", -128},
        {"037fff", -129},
        {"03ffff", -1},
        {"0400000080", std::numeric_limits<std::int32_t>::min()},
        {"04ffffff7f", std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& c : cases) {
        Source source(Hex(c.bytes));
        EXPECT_EQ(source.reader.ReadInteger(), c.expected) << c.bytes;
    }
}

TEST(ValueReader, OldFormatCutsEveryIntegerToItsLow16Bits) {
    const QByteArray bytes = Hex("0445230100 0400800100 04ffffffff 03feff 02fb");
    Source old(bytes);
    old.reader.SetOldFormat(true);
    EXPECT_EQ(old.reader.ReadInteger(), 0x2345);
    EXPECT_EQ(old.reader.ReadInteger(), -32768);
    EXPECT_EQ(old.reader.ReadInteger(), -1);
    EXPECT_EQ(old.reader.ReadInteger(), -2);
    EXPECT_EQ(old.reader.ReadInteger(), -5);

    Source current(bytes);
    EXPECT_EQ(current.reader.ReadInteger(), 0x12345);
    EXPECT_EQ(current.reader.ReadInteger(), 0x18000);
}

TEST(ValueReader, BooleanIsTrueOnlyForTheTrueTagAndConsumesOneByte) {
    const struct {
        const char* bytes;
        bool expected;
    } cases[] = {{"09", true}, {"08", false}, {"02", false}, {"ff", false}, {"00", false}};
    for (const auto& c : cases) {
        Source source(Hex(c.bytes));
        bool value = !c.expected;
        EXPECT_EQ(ErrorOf([&] { value = source.reader.ReadBoolean(); }), "no error") << c.bytes;
        EXPECT_EQ(value, c.expected) << c.bytes;
    }
    // The byte 0x02 read as a Boolean leaves what would have been its data behind.
    Source source(Hex("020207"));
    EXPECT_FALSE(source.reader.ReadBoolean());
    EXPECT_EQ(source.reader.ReadInteger(), 7);
}

QByteArray DoubleBytes(double value) {
    QByteArray bytes = Hex("15");
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        bytes.append(char(bits >> (8 * i)));
    return bytes;
}

TEST(ValueReader, FloatAcceptsExtendedDoubleAndEveryIntegerTag) {
    const struct {
        const char* name;
        QByteArray bytes;
        double expected;
    } cases[] = {
        {"Extended", Hex("050000000000000080ff3f"), 1.0},
        {"Double", DoubleBytes(-2.5), -2.5},
        {"Int8", Hex("02fe"), -2.0},
        {"Int16", Hex("030080"), -32768.0},
        {"Int32", Hex("0400000080"), -2147483648.0},
        {"Int64", Hex("130000000000ffffff"), -1099511627776.0},
    };
    for (const auto& c : cases) {
        Source source(c.bytes);
        EXPECT_EQ(source.reader.ReadFloat(), c.expected) << c.name;
    }
}

TEST(ValueReader, StringAcceptsAllFourStringTags) {
    const struct {
        const char* name;
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"String with 1252 bytes", Hex("060347 72f6"), QStringLiteral("Grö")},
        {"LString", Hex("0c02000000 8041"), QStringLiteral("€A")},
        {"WString", Hex("1203000000 f600 ac20 4100"), QStringLiteral("ö€A")},
        {"WString with a surrogate pair", Hex("1202000000 3dd800de"), QStringLiteral("😀")},
        {"UTF8String", Hex("1402000000c3b6"), QStringLiteral("ö")},
        {"empty LString", Hex("0c00000000"), QString()},
    };
    for (const auto& c : cases) {
        Source source(c.bytes);
        EXPECT_EQ(source.reader.ReadString(), c.expected) << c.name;
        EXPECT_EQ(source.reader.Remaining(), 0) << c.name;
    }
}

TEST(ValueReader, ATagThatDoesNotFitIsAnInvalidValue) {
    const struct {
        const char* name;
        const char* bytes;
        std::function<void(ValueReader&)> read;
    } cases[] = {
        {"Int64 as Integer", "130100000000000000", [](ValueReader& r) { r.ReadInteger(); }},
        {"String as Integer", "060161", [](ValueReader& r) { r.ReadInteger(); }},
        {"Extended as Integer", "050000000000000080ff3f", [](ValueReader& r) { r.ReadInteger(); }},
        {"True as Integer", "09", [](ValueReader& r) { r.ReadInteger(); }},
        {"Int8 as String", "0241", [](ValueReader& r) { r.ReadString(); }},
        {"False as String", "08", [](ValueReader& r) { r.ReadString(); }},
        {"String as Float", "060131", [](ValueReader& r) { r.ReadFloat(); }},
        {"True as Float", "09", [](ValueReader& r) { r.ReadFloat(); }},
        {"unknown tag", "07", [](ValueReader& r) { r.ReadFloat(); }},
    };
    for (const auto& c : cases) {
        Source source(Hex(c.bytes));
        EXPECT_EQ(ErrorOf([&] { c.read(source.reader); }), InvalidValueText) << c.name;
    }
}

TEST(ValueReader, PeekTagLeavesTheValueInPlace) {
    Source source(Hex("0605 54446f7464"));
    EXPECT_EQ(source.reader.PeekTag(), ValueTag::String);
    EXPECT_EQ(source.reader.Position(), 0);
    EXPECT_EQ(source.reader.ReadString(), QStringLiteral("TDotd"));
    EXPECT_EQ(ErrorOf([&] { source.reader.PeekTag(); }), ReadErrorText);
}

// --- Damaged streams

// One value of every kind, long enough to pass a small buffer's boundaries.
void WriteSample(ValueWriter& w) {
    w.WriteInteger(5);
    w.WriteInteger(-300);
    w.WriteInteger(100000);
    w.WriteBoolean(true);
    w.WriteFloat(0.1);
    w.WriteString(u"TDraht");
    w.WriteString(QString(300, u'x'));
    w.WriteString(u"Größe");
    w.WriteRaw("raw!");
    w.WriteBoolean(false);
}

void ReadSample(ValueReader& r) {
    r.ReadInteger();
    r.ReadInteger();
    r.ReadInteger();
    r.ReadBoolean();
    r.ReadFloat();
    r.ReadString();
    r.ReadString();
    r.ReadString();
    r.ReadRaw(4);
    r.ReadBoolean();
}

TEST(ValueReader, AStreamCutAtAnyByteEndsInAReadError) {
    const QByteArray sample = Written(WriteSample);
    for (const qsizetype bufferSize : {FileBuffer, TransferBuffer, qsizetype(3)}) {
        for (qsizetype cut = 0; cut < sample.size(); ++cut) {
            Source source(sample.left(cut), bufferSize);
            ASSERT_EQ(ErrorOf([&] { ReadSample(source.reader); }), ReadErrorText)
                << "cut at " << cut << ", buffer " << bufferSize;
        }
        Source whole(sample, bufferSize);
        EXPECT_EQ(ErrorOf([&] { ReadSample(whole.reader); }), "no error");
    }
}

// Lengths are checked against the rest of the stream before anything is allocated, so a
// damaged length cannot ask for gigabytes.
TEST(ValueReader, ALengthLongerThanTheRestIsAReadError) {
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"String", "0605616263"},
        {"largest LString", "0cffffffff6162"},
        {"LString one byte short", "0c04000000616263"},
        {"UTF8String", "14ffffff7f61"},
        {"WString", "12ffffffff61626364"},
        // Doubled in 32 bits this count would wrap to 2 and pass.
        {"WString count that overflows when doubled", "120100008061626364"},
        {"WString with an odd byte left", "1202000000616263"},
    };
    for (const auto& c : cases) {
        Source source(Hex(c.bytes));
        EXPECT_EQ(ErrorOf([&] { source.reader.ReadString(); }), ReadErrorText) << c.name;
    }
}

TEST(ValueReader, CountsAreCheckedAgainstTheRestOfTheStream) {
    Source source(Hex("0201 0000000000000000"));
    source.reader.ReadInteger();
    ASSERT_EQ(source.reader.Remaining(), 8);
    const struct {
        qint64 count;
        qint64 bytesPerItem;
        bool fits;
    } cases[] = {
        {8, 1, true},
        {9, 1, false},
        {2, 4, true},
        {3, 4, false},
        {0, 100, true},
        {-7, 4, true}, // nothing to read, nothing to allocate
        {std::numeric_limits<qint64>::max(), 1, false},
        {std::numeric_limits<qint64>::max() / 2 + 1, 4, false}, // overflows when multiplied
    };
    for (const auto& c : cases) {
        const std::string expected = c.fits ? "no error" : ReadErrorText;
        EXPECT_EQ(ErrorOf([&] { source.reader.CheckCount(c.count, c.bytesPerItem); }), expected)
            << c.count << " × " << c.bytesPerItem;
    }
    EXPECT_EQ(ErrorOf([&] { source.reader.ReadRaw(qint64{1} << 62); }), ReadErrorText);
    EXPECT_EQ(source.reader.ReadRaw(8), QByteArray(8, '\0'));
}

// --- The buffer: invisible in the bytes, whatever its size

class BufferedValues : public testing::TestWithParam<qsizetype> {};

// Enough values to cross many buffer boundaries, with strings and a raw block longer than
// either buffer.
void WriteMany(ValueWriter& w) {
    for (int i = 0; i < 3000; ++i) {
        w.WriteInteger(i * 7919 - 1000000);
        w.WriteString(QStringLiteral("Bauteil %1").arg(i));
        w.WriteFloat(i / 7.0);
        w.WriteBoolean(i % 3 == 0);
        if (i % 500 == 0) {
            w.WriteString(QString(2500 + i, QChar(u'a' + i % 26)));
            w.WriteString(QString(1200, u'ä'));
            w.WriteRaw(QByteArray(25000 + i, char(i)));
        }
    }
}

void ExpectMany(ValueReader& r) {
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(r.ReadInteger(), i * 7919 - 1000000);
        ASSERT_EQ(r.ReadString(), QStringLiteral("Bauteil %1").arg(i));
        ASSERT_EQ(r.ReadFloat(), i / 7.0);
        ASSERT_EQ(r.ReadBoolean(), i % 3 == 0);
        if (i % 500 == 0) {
            ASSERT_EQ(r.ReadString(), QString(2500 + i, QChar(u'a' + i % 26)));
            ASSERT_EQ(r.ReadString(), QString(1200, u'ä'));
            ASSERT_EQ(r.ReadRaw(25000 + i), QByteArray(25000 + i, char(i)));
        }
    }
    EXPECT_EQ(r.Remaining(), 0);
}

TEST_P(BufferedValues, BytesDoNotDependOnTheBufferSize) {
    EXPECT_EQ(Written(WriteMany, GetParam()), Written(WriteMany, 1));
}

TEST_P(BufferedValues, EverythingWrittenReadsBack) {
    Source source(Written(WriteMany, GetParam()), GetParam());
    ExpectMany(source.reader);
}

TEST_P(BufferedValues, PositionsCountTheBytesOfTheValues) {
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    std::vector<qint64> positions;
    {
        ValueWriter writer(device, GetParam());
        for (int i = 0; i < 1000; ++i) {
            writer.WriteString(QString(i, u'x'));
            positions.push_back(writer.Position());
        }
        writer.FlushBuffer();
        EXPECT_EQ(device.size(), positions.back());
    }
    Source source(device.data(), GetParam());
    for (int i = 0; i < 1000; ++i) {
        source.reader.ReadString();
        ASSERT_EQ(source.reader.Position(), positions[i]) << i;
        ASSERT_EQ(source.reader.Remaining(), positions.back() - positions[i]) << i;
    }
}

// The annotations block: an Integer count, then the bytes straight on the device, then
// typed values again.
TEST_P(BufferedValues, RawDeviceAccessBetweenTypedValues) {
    const QByteArray block(5000, 'r');
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    {
        ValueWriter writer(device, GetParam());
        writer.WriteString(u"vorher");
        writer.WriteInteger(int(block.size()));
        writer.FlushBuffer();
        device.write(block);
        writer.WriteString(u"nachher");
        writer.WriteInteger(7);
    }
    Source source(device.data(), GetParam());
    ValueReader& reader = source.reader;
    EXPECT_EQ(reader.ReadString(), QStringLiteral("vorher"));
    const int count = reader.ReadInteger();
    reader.CheckCount(count, 1);
    reader.SyncToStream();
    EXPECT_EQ(source.device.read(count), block);
    EXPECT_EQ(reader.ReadString(), QStringLiteral("nachher"));
    EXPECT_EQ(reader.ReadInteger(), 7);
}

INSTANTIATE_TEST_SUITE_P(FileAndTransferBuffers, BufferedValues,
                         testing::Values(FileBuffer, TransferBuffer));

TEST(ValueReader, AReaderGivesBackWhatItReadAhead) {
    QBuffer device;
    device.setData(Hex("0201 0202 0203"));
    device.open(QIODevice::ReadOnly);
    {
        ValueReader first(device, FileBuffer);
        EXPECT_EQ(first.ReadInteger(), 1);
    }
    EXPECT_EQ(device.pos(), 2);
    ValueReader second(device, FileBuffer);
    EXPECT_EQ(second.ReadInteger(), 2);
    EXPECT_EQ(second.ReadInteger(), 3);
}

TEST(ValueReader, ReadsFromAFileAndKnowsWhatIsLeft) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    {
        ValueWriter writer(file, TransferBuffer);
        WriteMany(writer);
    }
    const qint64 size = file.size();
    file.seek(0);
    ValueReader reader(file, TransferBuffer);
    EXPECT_EQ(reader.Remaining(), size);
    EXPECT_EQ(ErrorOf([&] { reader.CheckCount(size, 1); }), "no error");
    EXPECT_EQ(ErrorOf([&] { reader.CheckCount(size + 1, 1); }), ReadErrorText);
    ExpectMany(reader);
}

// --- The error texts

TEST(StreamError, MessagesSayWhatWentWrongAndWhereInTheUsersLanguage) {
    struct Case {
        StreamError error;
        const char* german;
        const char* english;
    };
    StreamError invalid = StreamError::InvalidValue();
    invalid.SetPosition(1234);
    StreamError cut = StreamError::ReadError();
    cut.SetPosition(77);
    StreamError missing = StreamError::ClassNotFound(QStringLiteral("TWiderstand%1"));
    missing.SetPosition(5);
    const Case cases[] = {
        {invalid,
         "Dies ist keine Karvel-Projektdatei, oder sie ist beschädigt (Ungültiger "
         "Eigenschaftswert bei Byte 1234).",
         "This is not a Karvel project file, or it is damaged (invalid property value at byte "
         "1234)."},
        {cut,
         "Dies ist keine Karvel-Projektdatei, oder sie ist beschädigt (Stream-Lesefehler: der "
         "Wert bei Byte 77 reicht über das Ende der Daten hinaus).",
         "This is not a Karvel project file, or it is damaged (stream read error: the value at "
         "byte 77 runs past the end of the data)."},
        {missing,
         "Dies ist keine Karvel-Projektdatei, oder sie ist beschädigt (Klasse TWiderstand%1 "
         "nicht gefunden bei Byte 5).",
         "This is not a Karvel project file, or it is damaged (class TWiderstand%1 not found at "
         "byte 5)."},
        {StreamError::EmptyStream(),
         "Dies ist keine Karvel-Projektdatei, oder sie ist beschädigt (die Datei ist leer).",
         "This is not a Karvel project file, or it is damaged (the file is empty)."},
        {StreamError::UnreadData(40),
         "40 Bytes nach der letzten Platine wurden nicht gelesen; die Datei ist beschädigt oder "
         "stammt nicht von Karvel.",
         "40 bytes after the last board were not read; the file is damaged or was not written "
         "by Karvel."},
        {StreamError::UnreadData(1),
         "1 Byte nach der letzten Platine wurde nicht gelesen; die Datei ist beschädigt oder "
         "stammt nicht von Karvel.",
         "1 byte after the last board was not read; the file is damaged or was not written by "
         "Karvel."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.error.Message(Language::German), QString::fromUtf8(c.german));
        EXPECT_EQ(c.error.Message(Language::English), QString::fromUtf8(c.english));
        EXPECT_STREQ(c.error.what(), c.english) << "what() is the English message";
    }
    EXPECT_EQ(missing.ClassName(), QStringLiteral("TWiderstand%1"));
    EXPECT_EQ(StreamError::InvalidValue().Detail(Language::English),
              QStringLiteral("invalid property value"))
        << "no place named while nobody told it";
}

} // namespace
} // namespace karvel
