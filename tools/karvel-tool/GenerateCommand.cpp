// generate: a part of the component assistant as a one-board project, so that generated
// outlines and components can be made and checked from scripts.

#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "assistant/OhmText.h"
#include "board/BoardHoleGrid.h"
#include "elements/HolePitch.h"
#include "platform/NumberLocale.h"
#include "platform/NumberText.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <QtCore/QLocale>

namespace karvel::tool {

namespace {

// The board the part lies on, and the hole its centre lies in: the middle of the board.
constexpr int BoardWidth = 16000;
constexpr int BoardHeight = 10000;
constexpr QPoint PartCentre{31 * HolePitch, 19 * HolePitch + HalfPitch};

// "3,5" or "3.5", and nothing else.
std::optional<long double> ReadNumber(const QString& text) {
    QString point = text.trimmed();
    point.replace(u',', u'.');
    bool ok = false;
    const double value = point.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString Names(const TBt& part) {
    QStringList names;
    for (const TBtParam& param : part.Params)
        names.push_back(param.Caption);
    return names.join(QStringLiteral(", "));
}

Language OtherLanguage(Language language) {
    return UsesEnglish(language) ? Language::German : Language::English;
}

// The index of the parameter of that name, in the captions of either language; -1 for none.
int FindParam(const TBt& part, const std::vector<TBtParam>& other, const QString& name) {
    for (const auto* params : {&part.Params, &other})
        for (std::size_t i = 0; i < params->size() && i < part.Params.size(); ++i)
            if (QString::compare((*params)[i].Caption, name, Qt::CaseInsensitive) == 0)
                return int(i);
    return -1;
}

int FindItem(const QStringList& items, const QString& text) {
    for (qsizetype i = 0; i < items.size(); ++i)
        if (QString::compare(items[i], text, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

// A number moved into the span from the lowest to the highest bound of the parameter's
// ranges, so that it fits a whole number of the field's size.
long double IntoSpan(const TBtParam& param, long double value) {
    long double low = std::numeric_limits<std::int32_t>::min();
    long double high = std::numeric_limits<std::int32_t>::max();
    bool any = false;
    for (const ParamRange& range : {param.RangeA, param.RangeB}) {
        if (range.IsEmpty())
            continue;
        low = any ? std::min(low, range.Lo) : range.Lo;
        high = any ? std::max(high, range.Hi) : range.Hi;
        any = true;
    }
    return std::clamp(value, low, high);
}

// Sets one parameter as the assistant's grid would take it; the reason when it cannot. A
// number outside the ranges is corrected, as every input field does, with a warning. A choice
// may be named in the other language's items too.
QString SetParam(TBtParam& param, const QStringList& otherItems, const QString& name,
                 const QString& text) {
    bool moved = false;
    switch (param.Kind) {
    case TBtParamKind::pkInteger:
    case TBtParamKind::pkFloat: {
        const std::optional<long double> number = ReadNumber(text);
        if (!number)
            return Say("'%1' ist keine Zahl", "'%1' is not a number").arg(text);
        if (param.Kind == TBtParamKind::pkInteger) {
            // Clamped before it is rounded: a float beyond the integer's range has no
            // conversion ("1e308" and 2147483648 would wrap to anything).
            const long double inSpan = IntoSpan(param, *number);
            moved = inSpan != *number;
            param.IntValue = std::int32_t(RoundHalfEven(inSpan));
        } else {
            param.FloatValue = *number;
        }
        break;
    }
    case TBtParamKind::pkOhm: {
        const std::optional<double> ohms = ParseOhm(text);
        if (!ohms)
            return Say("'%1' ist kein Widerstandswert", "'%1' is no resistance").arg(text);
        param.FloatValue = *ohms;
        break;
    }
    case TBtParamKind::pkText:
        param.Text = text;
        break;
    case TBtParamKind::pkChoice: {
        int item = FindItem(param.Items, text);
        if (item < 0 && otherItems.size() == param.Items.size())
            item = FindItem(otherItems, text);
        if (item < 0)
            return Say("'%1' ist keins von: %2", "'%1' is none of: %2")
                .arg(text, param.Items.join(QStringLiteral(", ")));
        param.IntValue = std::int32_t(item);
        break;
    }
    case TBtParamKind::pkFlag:
        param.Flag = text.compare(QStringLiteral("ja"), Qt::CaseInsensitive) == 0 ||
                     text.compare(QStringLiteral("yes"), Qt::CaseInsensitive) == 0;
        break;
    }
    const bool inRange = CorrectValue(param) && !moved;
    if (!inRange && param.Kind != TBtParamKind::pkChoice && param.Kind != TBtParamKind::pkFlag)
        PrintError(Say("%1: Der Wert liegt außerhalb des Bereichs und wurde berichtigt.",
                       "%1: value exceeds range and was corrected")
                       .arg(name));
    if (param.Kind == TBtParamKind::pkOhm)
        param.Text = FormatOhm(double(param.FloatValue));
    return {};
}

QString Number(long double value) {
    return QLocale().toString(double(value), 'g', 12);
}

QString RangeText(const TBtParam& param) {
    QStringList ranges;
    for (const ParamRange& range : {param.RangeA, param.RangeB})
        if (!range.IsEmpty())
            ranges << Say("%1 bis %2", "%1 to %2").arg(Number(range.Lo), Number(range.Hi));
    return ranges.join(Say(" oder ", " or "));
}

// What a parameter takes and starts with, as the help of a style lists it.
QString ParamHelp(const TBtParam& param, const TBtParam& other) {
    QString value;
    QString takes;
    switch (param.Kind) {
    case TBtParamKind::pkInteger:
        value = QLocale().toString(param.IntValue);
        takes = Say("ganze Zahl, %1", "whole number, %1").arg(RangeText(param));
        break;
    case TBtParamKind::pkFloat:
        value = Number(param.FloatValue);
        takes = Say("Zahl, %1", "number, %1").arg(RangeText(param));
        break;
    case TBtParamKind::pkOhm:
        value = param.Text;
        takes =
            Say("Widerstand (etwa 4k7 oder 4,7 KOhm), %1", "resistance (like 4k7 or 4.7 KOhm), %1")
                .arg(RangeText(param));
        break;
    case TBtParamKind::pkText:
        value = param.Text;
        takes = Say("Text", "text");
        break;
    case TBtParamKind::pkChoice:
        value = param.SelectedItem();
        takes = Say("eins von: %1", "one of: %1").arg(param.Items.join(QStringLiteral(", ")));
        break;
    case TBtParamKind::pkFlag:
        value = param.Flag ? Say("ja", "yes") : Say("nein", "no");
        takes = Say("ja oder nein", "yes or no");
        break;
    }
    QString line = QStringLiteral("  %1 = %2").arg(param.Caption, value);
    const bool number = param.Kind == TBtParamKind::pkInteger ||
                        param.Kind == TBtParamKind::pkFloat || param.Kind == TBtParamKind::pkOhm;
    if (!param.UnitText.isEmpty()) {
        // A resistance's text carries its unit already ("1 KOhm").
        if (param.Kind != TBtParamKind::pkOhm)
            line += u' ' + param.UnitText;
        if (number)
            takes += u' ' + param.UnitText;
    }
    if (other.Caption.compare(param.Caption, Qt::CaseInsensitive) != 0)
        line += QStringLiteral("   (%1)").arg(other.Caption);
    return line + QStringLiteral("\n      ") + takes + u'\n';
}

int StyleHelp(const TBt& part, const std::vector<TBtParam>& other, int style, Language language) {
    QString text = Say("Stil %1: %2\nParameter (NAME=WERT, Namen deutsch oder englisch), mit "
                       "ihren Vorgaben:\n",
                       "style %1: %2\nparameters (NAME=VALUE, names in English or German), with "
                       "their defaults:\n")
                       .arg(style)
                       .arg(StyleEntry(style, language));
    for (std::size_t i = 0; i < part.Params.size(); ++i)
        text += ParamHelp(part.Params[i], i < other.size() ? other[i] : part.Params[i]);
    return WriteToStandardOutput(text.toUtf8(), language) ? Ok : Failed;
}

} // namespace

int Generate(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(
        args, {{QStringLiteral("--help")}, {QStringLiteral("--lang")}, 1, 1000}, error);
    if (!parsed)
        return UsageError(error);
    const std::optional<Language> language = LanguageOf(*parsed);
    if (!language)
        return BadUse;
    const bool help = parsed->Has(QStringLiteral("--help"));
    if (!help && parsed->Positional().size() < 2)
        return UsageError(Say("falsche Anzahl von Dateien", "wrong number of files"));
    // Values are written as the program writes them in that language: "4,7 KOhm".
    QLocale::setDefault(NumberLocale(*language));
    QStringList positional = parsed->Positional();
    const QString out = help ? QString() : positional.takeLast();
    bool ok = false;
    const int style = positional.takeFirst().toInt(&ok);
    if (!ok || style < 0 || style >= TBt::StyleCount)
        return UsageError(
            Say("der Stil ist eine Zahl von 0 bis 14", "the style is a number from 0 to 14"));

    ViewState view = MakeView(*language);
    TPlatine board(view);
    board.SetSize(BoardWidth, BoardHeight);
    board.SetPlatinenName(StyleEntry(style, *language));
    const BoardHoleGrid grid(board);
    auto part = std::make_unique<TBt>(*language);
    part->SetParent(&board);
    part->SetBMUsage(&board.BitmapUsages());
    part->Board = &grid;
    part->Centre = PartCentre;
    part->SetStyle(std::uint8_t(style));
    // Names and choices may be given in the other language as well.
    const std::vector<TBtParam> other =
        DefaultParams(style, OtherLanguage(*language), view.ProgramFolder);
    if (help)
        return StyleHelp(*part, other, style, *language);
    for (const QString& assignment : positional) {
        const qsizetype equals = assignment.indexOf(u'=');
        const int index = equals > 0 ? FindParam(*part, other, assignment.left(equals)) : -1;
        if (index < 0)
            return UsageError(Say("'%1' ist kein Parameter von Stil %2 (%3)",
                                  "'%1' names no parameter of style %2 (%3)")
                                  .arg(assignment)
                                  .arg(style)
                                  .arg(Names(*part)));
        TBtParam& param = part->Params[std::size_t(index)];
        const QStringList otherItems =
            std::size_t(index) < other.size() ? other[std::size_t(index)].Items : QStringList();
        // Messages name the parameter as it was given.
        const QString name = assignment.left(equals);
        const QString reason = SetParam(param, otherItems, name, assignment.mid(equals + 1));
        if (!reason.isEmpty())
            return UsageError(name + QStringLiteral(": ") + reason);
    }
    part->Generate();
    TBt& placed = static_cast<TBt&>(*board.Add(std::move(part)));
    if (placed.IsComponent) {
        placed.Number = std::int16_t(board.NaechsteNummer(placed.Identifier));
        placed.PropagateIdentity();
    }
    const QString saveError = SaveProjectFile(out, {&board});
    if (!saveError.isEmpty()) {
        PrintError(
            Say("%1 kann nicht geschrieben werden: %2", "cannot write %1: %2").arg(out, saveError));
        return Failed;
    }
    return Ok;
}

} // namespace karvel::tool
