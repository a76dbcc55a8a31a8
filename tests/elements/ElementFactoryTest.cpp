// Elements made from the class name that frames them in a stream: the name is looked up where
// it lies in the reader's buffer when it can be, and read as text when it cannot; both ways
// must make the same element or give the same error.

#include "elements/ElementFactory.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <QtCore/QBuffer>

namespace karvel {
namespace {

// An Integer, then the name as the given writer puts it, then another Integer: the name starts
// two bytes in, so that small buffers end inside its tag, its length or its characters.
QByteArray NameRecord(const std::function<void(ValueWriter&)>& writeName) {
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    {
        ValueWriter writer(device, 20000);
        writer.WriteInteger(7);
        writeName(writer);
        writer.WriteInteger(9);
    }
    return device.data();
}

QByteArray RawName(const QByteArray& windows1252) {
    return NameRecord([&](ValueWriter& w) {
        const char header[] = {0x06, char(windows1252.size())};
        w.WriteRaw(QByteArrayView(header, 2));
        w.WriteRaw(windows1252);
    });
}

// The element's class name, or what went wrong, and the value after the name.
std::string ReadBack(const QByteArray& bytes, qsizetype bufferSize) {
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    ValueReader reader(device, bufferSize);
    reader.ReadInteger();
    std::string made;
    try {
        made = std::string(ReadElementOfClass(reader)->ClassName());
    } catch (const StreamError& error) {
        if (error.GetKind() == StreamError::Kind::ClassNotFound)
            return "not found: " + error.ClassName().toStdString();
        return error.GetKind() == StreamError::Kind::InvalidValue ? "invalid" : "other error";
    }
    return made + ", then " + std::to_string(reader.ReadInteger());
}

TEST(ElementFactory, AClassNameReadsTheSameWhereverTheBufferEnds) {
    const struct {
        const char* name;
        QByteArray bytes;
        std::string expected;
    } cases[] = {
        {"wire", NameRecord([](ValueWriter& w) { w.WriteString(u"TDraht"); }), "TDraht, then 9"},
        {"group", NameRecord([](ValueWriter& w) { w.WriteString(u"TGruppe"); }), "TGruppe, then 9"},
        {"last of the list", NameRecord([](ValueWriter& w) { w.WriteString(u"TBauteil"); }),
         "TBauteil, then 9"},
        {"same length as a known name",
         NameRecord([](ValueWriter& w) { w.WriteString(u"TDrahx"); }), "not found: TDrahx"},
        {"a known name's beginning", NameRecord([](ValueWriter& w) { w.WriteString(u"TDrah"); }),
         "not found: TDrah"},
        {"unknown", NameRecord([](ValueWriter& w) { w.WriteString(u"TWiderstand"); }),
         "not found: TWiderstand"},
        {"a board is no element", NameRecord([](ValueWriter& w) { w.WriteString(u"TPlatine"); }),
         "invalid"},
        // 0xE4 is "ä" in the code page; the error names the decoded text.
        {"code page byte", RawName("TDr\xE4ht"), "not found: TDr\xC3\xA4ht"},
        {"as UTF-8 text", NameRecord([](ValueWriter& w) {
             const QByteArray utf8 = "TKreis";
             const char header[] = {0x14, char(utf8.size()), 0, 0, 0};
             w.WriteRaw(QByteArrayView(header, 5));
             w.WriteRaw(utf8);
         }),
         "TKreis, then 9"},
    };
    for (const auto& c : cases) {
        for (const qsizetype bufferSize : {qsizetype(20000), qsizetype(3), qsizetype(5)}) {
            EXPECT_EQ(ReadBack(c.bytes, bufferSize), c.expected)
                << c.name << ", buffer " << bufferSize;
        }
    }
}

TEST(ElementFactory, RegisteringANameAgainReplacesItsMaker) {
    const QString name = QStringLiteral("TPrüfteil");
    ASSERT_FALSE(IsElementClassRegistered(name));
    RegisterElementClass(name, [](Language) { return std::make_unique<TBauteil>(); });
    RegisterElementClass(name, [](Language) {
        auto element = std::make_unique<TBauteil>();
        element->SetStiftbreite(42);
        return element;
    });
    EXPECT_TRUE(IsElementClassRegistered(name));
    EXPECT_EQ(CreateElementByClassName(name)->Stiftbreite(), 42);
    EXPECT_FALSE(IsElementClassRegistered(QStringLiteral("TPr?fteil")));
}

} // namespace
} // namespace karvel
