#include "elements/ElementFactory.h"

#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/DrahtFest.h"
#include "elements/Gruppe.h"
#include "elements/Kreis.h"
#include "elements/Leiterbahn.h"
#include "elements/TrennerFest.h"
#include "elements/Txtlabel.h"
#include "platform/encoding/CodePage.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace karvel {

namespace {

template <typename Element> ElementMaker MakerOf() {
    return [](Language) { return std::make_unique<Element>(); };
}

template <typename Element> ElementMaker SpeakingMakerOf() {
    return [](Language language) { return std::make_unique<Element>(language); };
}

// Keyed by the names' UTF-8 bytes, so that a name read from a stream, ASCII as every class
// name is, is found as it lies there without being made into text first. A dozen names: a
// plain list, the most frequent first, is searched faster than a tree or a hash table, and
// names of another length are passed over without looking at their characters.
using Registry = std::vector<std::pair<std::string, ElementMaker>>;

Registry& Makers() {
    static Registry makers{
        {"TDraht", MakerOf<TDraht>()},
        {"TGruppe", SpeakingMakerOf<TGruppe>()},
        {"TTextLabel", SpeakingMakerOf<TTextLabel>()},
        {"TAuge", MakerOf<TAuge>()},
        {"TLeiterbahn", MakerOf<TLeiterbahn>()},
        {"TTrenner", MakerOf<TTrenner>()},
        {"TBohrung", MakerOf<TBohrung>()},
        {"TKreis", MakerOf<TKreis>()},
        {"TDrahtFest", MakerOf<TDrahtFest>()},
        {"TTrennerFest", MakerOf<TTrennerFest>()},
        {"TBauteil", MakerOf<TBauteil>()},
    };
    return makers;
}

std::string KeyOf(const QString& className) {
    return className.toUtf8().toStdString();
}

ElementMaker* MakerFor(std::string_view key) {
    for (auto& [name, maker] : Makers())
        if (name == key)
            return &maker;
    return nullptr;
}

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return std::uint8_t(c) < 0x80; });
}

} // namespace

void RegisterElementClass(const QString& className, ElementMaker maker) {
    std::string key = KeyOf(className);
    if (ElementMaker* known = MakerFor(key))
        *known = std::move(maker);
    else
        Makers().emplace_back(std::move(key), std::move(maker));
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
