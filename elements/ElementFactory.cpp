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

#include <map>

namespace karvel {

namespace {

template <typename Element> ElementMaker MakerOf() {
    return [](Language) { return std::make_unique<Element>(); };
}

template <typename Element> ElementMaker SpeakingMakerOf() {
    return [](Language language) { return std::make_unique<Element>(language); };
}

std::map<QString, ElementMaker>& Registry() {
    static std::map<QString, ElementMaker> makers{
        {QStringLiteral("TBauteil"), MakerOf<TBauteil>()},
        {QStringLiteral("TDraht"), MakerOf<TDraht>()},
        {QStringLiteral("TDrahtFest"), MakerOf<TDrahtFest>()},
        {QStringLiteral("TLeiterbahn"), MakerOf<TLeiterbahn>()},
        {QStringLiteral("TAuge"), MakerOf<TAuge>()},
        {QStringLiteral("TBohrung"), MakerOf<TBohrung>()},
        {QStringLiteral("TTrenner"), MakerOf<TTrenner>()},
        {QStringLiteral("TTrennerFest"), MakerOf<TTrennerFest>()},
        {QStringLiteral("TKreis"), MakerOf<TKreis>()},
        {QStringLiteral("TTextLabel"), SpeakingMakerOf<TTextLabel>()},
        {QStringLiteral("TGruppe"), SpeakingMakerOf<TGruppe>()},
    };
    return makers;
}

} // namespace

void RegisterElementClass(const QString& className, ElementMaker maker) {
    Registry()[className] = std::move(maker);
}

bool IsElementClassRegistered(const QString& className) {
    return Registry().count(className) != 0;
}

std::unique_ptr<TBauteil> CreateElementByClassName(const QString& className, Language language) {
    const auto& makers = Registry();
    const auto it = makers.find(className);
    if (it != makers.end())
        return it->second(language);
    // Boards are registered by name too, but a board is never an element of a board.
    if (className == QLatin1String("TPlatine") || className == QLatin1String("TBoard"))
        throw StreamError::InvalidValue();
    throw StreamError::ClassNotFound(className);
}

} // namespace karvel
