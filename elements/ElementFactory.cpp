#include "elements/ElementFactory.h"

#include "assistant/Bt.h"
#include "assistant/Farbcode.h"
#include "board/StreamError.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/DrahtFest.h"
#include "elements/Kreis.h"
#include "elements/Leiterbahn.h"
#include "elements/TrennerFest.h"
#include "elements/Txtlabel.h"

#include <functional>
#include <map>

namespace karvel {

std::unique_ptr<TBauteil> CreateElementByClassName(const QString& className, Language language) {
    using Maker = std::function<std::unique_ptr<TBauteil>(Language)>;
    static const std::map<QString, Maker> makers{
        {QStringLiteral("TBauteil"), [](Language) { return std::make_unique<TBauteil>(); }},
        {QStringLiteral("TDraht"), [](Language) { return std::make_unique<TDraht>(); }},
        {QStringLiteral("TDrahtFest"), [](Language) { return std::make_unique<TDrahtFest>(); }},
        {QStringLiteral("TLeiterbahn"), [](Language) { return std::make_unique<TLeiterbahn>(); }},
        {QStringLiteral("TAuge"), [](Language) { return std::make_unique<TAuge>(); }},
        {QStringLiteral("TBohrung"), [](Language) { return std::make_unique<TBohrung>(); }},
        {QStringLiteral("TTrenner"), [](Language) { return std::make_unique<TTrenner>(); }},
        {QStringLiteral("TTrennerFest"), [](Language) { return std::make_unique<TTrennerFest>(); }},
        {QStringLiteral("TKreis"), [](Language) { return std::make_unique<TKreis>(); }},
        {QStringLiteral("TTextLabel"), [](Language l) { return std::make_unique<TTextLabel>(l); }},
        {QStringLiteral("TGruppe"), [](Language l) { return std::make_unique<TGruppe>(l); }},
        {QStringLiteral("TBt"), [](Language l) { return std::make_unique<TBt>(l); }},
        {QStringLiteral("TFarbcode"), [](Language l) { return std::make_unique<TFarbcode>(l); }},
    };
    const auto it = makers.find(className);
    if (it != makers.end())
        return it->second(language);
    // Boards are registered by name too, but a board is never an element of a board.
    if (className == QLatin1String("TPlatine") || className == QLatin1String("TBoard"))
        throw StreamError::InvalidValue();
    throw StreamError::ClassNotFound(className);
}

} // namespace karvel
