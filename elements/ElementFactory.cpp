#include "elements/ElementFactory.h"

#include "board/stream/StreamError.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/DrahtFest.h"
#include "elements/Gruppe.h"
#include "elements/Kreis.h"
#include "elements/Leiterbahn.h"
#include "elements/TrennerFest.h"
#include "elements/Txtlabel.h"

#include "board/stream/ValueReader.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

namespace karvel {

namespace {

template <typename Element> ElementMaker MakerOf() {
    return [](Language) { return std::make_unique<Element>(); };
}

template <typename Element> ElementMaker SpeakingMakerOf() {
    return [](Language language) { return std::make_unique<Element>(language); };
}

// Keyed by the names' UTF-8 bytes, so that a name read from a stream, ASCII as every class
// name is, is found as it lies there without being made into text first.
using Registry = std::map<std::string, ElementMaker, std::less<>>;

Registry& Makers() {
    static Registry makers{
        {"TBauteil", MakerOf<TBauteil>()},
        {"TDraht", MakerOf<TDraht>()},
        {"TDrahtFest", MakerOf<TDrahtFest>()},
        {"TLeiterbahn", MakerOf<TLeiterbahn>()},
        {"TAuge", MakerOf<TAuge>()},
        {"TBohrung", MakerOf<TBohrung>()},
        {"TTrenner", MakerOf<TTrenner>()},
        {"TTrennerFest", MakerOf<TTrennerFest>()},
        {"TKreis", MakerOf<TKreis>()},
        {"TTextLabel", SpeakingMakerOf<TTextLabel>()},
        {"TGruppe", SpeakingMakerOf<TGruppe>()},
    };
    return makers;
}

std::string KeyOf(const QString& className) {
    return className.toUtf8().toStdString();
}

const ElementMaker* MakerFor(std::string_view key) {
    const Registry& makers = Makers();
    const auto it = makers.find(key);
    return it != makers.end() ? &it->second : nullptr;
}

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return std::uint8_t(c) < 0x80; });
}

} // namespace

void RegisterElementClass(const QString& className, ElementMaker maker) {
    Makers()[KeyOf(className)] = std::move(maker);
}

bool IsElementClassRegistered(const QString& className) {
    return MakerFor(KeyOf(className)) != nullptr;
}

std::unique_ptr<TBauteil> ReadElementOfClass(ValueReader& reader, Language language) {
    const std::optional<QByteArrayView> name = reader.TakeBufferedString();
    if (!name)
        return CreateElementByClassName(reader.ReadString(), language);
    // ASCII bytes are the same in the stream's code page and in the key; any other name is
    // decoded, and no class has it.
    if (IsAscii(*name))
        if (const ElementMaker* maker = MakerFor(std::string_view(name->data(), name->size())))
            return (*maker)(language);
    return CreateElementByClassName(DecodeWindows1252(*name), language);
}

std::unique_ptr<TBauteil> CreateElementByClassName(const QString& className, Language language) {
    if (const ElementMaker* maker = MakerFor(KeyOf(className)))
        return (*maker)(language);
    // Boards are registered by name too, but a board is never an element of a board.
    if (className == QLatin1String("TPlatine") || className == QLatin1String("TBoard"))
        throw StreamError::InvalidValue();
    throw StreamError::ClassNotFound(className);
}

} // namespace karvel
