// generate: a part of the component assistant as a one-board project, so that generated
// outlines and components can be made and checked from scripts.

#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "assistant/OhmText.h"
#include "board/BoardHoleGrid.h"
#include "platform/NumberLocale.h"
#include "platform/NumberText.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <algorithm>
#include <cmath>
#include <QtCore/QLocale>

namespace karvel::tool {

namespace {

// The board the part lies on, and the hole its centre lies in: the middle of the board.
constexpr int BoardWidth = 16000;
constexpr int BoardHeight = 10000;
constexpr QPoint PartCentre{31 * 254, 19 * 254 + 127};

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

TBtParam* FindParam(TBt& part, const QString& name) {
    for (TBtParam& param : part.Params)
        if (QString::compare(param.Caption, name, Qt::CaseInsensitive) == 0)
            return &param;
    return nullptr;
}

// Sets one parameter as the assistant's grid would take it; the reason when it cannot.
QString SetParam(TBtParam& param, const QString& text) {
    switch (param.Kind) {
    case TBtParamKind::pkInteger:
    case TBtParamKind::pkFloat: {
        const std::optional<long double> number = ReadNumber(text);
        if (!number)
            return QStringLiteral("'%1' is not a number").arg(text);
        if (param.Kind == TBtParamKind::pkInteger)
            param.IntValue = std::int32_t(RoundHalfEven(*number));
        else
            param.FloatValue = *number;
        break;
    }
    case TBtParamKind::pkOhm: {
        const std::optional<double> ohms = ParseOhm(text);
        if (!ohms)
            return QStringLiteral("'%1' is no resistance").arg(text);
        param.FloatValue = *ohms;
        break;
    }
    case TBtParamKind::pkText:
        param.Text = text;
        break;
    case TBtParamKind::pkChoice: {
        const auto item = std::find_if(param.Items.begin(), param.Items.end(), [&](const auto& i) {
            return QString::compare(i, text, Qt::CaseInsensitive) == 0;
        });
        if (item == param.Items.end())
            return QStringLiteral("'%1' is none of: %2")
                .arg(text, param.Items.join(QStringLiteral(", ")));
        param.IntValue = std::int32_t(item - param.Items.begin());
        break;
    }
    case TBtParamKind::pkFlag:
        param.Flag = text.compare(QStringLiteral("ja"), Qt::CaseInsensitive) == 0 ||
                     text.compare(QStringLiteral("yes"), Qt::CaseInsensitive) == 0;
        break;
    }
    if (!CorrectValue(param) && param.Kind != TBtParamKind::pkChoice &&
        param.Kind != TBtParamKind::pkFlag)
        PrintError(QStringLiteral("%1: value exceeds range and was corrected").arg(param.Caption));
    if (param.Kind == TBtParamKind::pkOhm)
        param.Text = FormatOhm(double(param.FloatValue));
    return {};
}

} // namespace

int Generate(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(args, {{}, {QStringLiteral("--lang")}, 2, 1000}, error);
    if (!parsed)
        return UsageError(error);
    const std::optional<Language> language = LanguageOf(*parsed);
    if (!language)
        return BadUse;
    // Values are written as the program writes them in that language: "4,7 KOhm".
    QLocale::setDefault(NumberLocale(*language));
    QStringList positional = parsed->Positional();
    const QString out = positional.takeLast();
    bool ok = false;
    const int style = positional.takeFirst().toInt(&ok);
    if (!ok || style < 0 || style >= TBt::StyleCount)
        return UsageError(QStringLiteral("the style is a number from 0 to 14"));

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
    for (const QString& assignment : positional) {
        const qsizetype equals = assignment.indexOf(u'=');
        TBtParam* param = equals > 0 ? FindParam(*part, assignment.left(equals)) : nullptr;
        if (param == nullptr)
            return UsageError(QStringLiteral("'%1' names no parameter of style %2 (%3)")
                                  .arg(assignment)
                                  .arg(style)
                                  .arg(Names(*part)));
        const QString reason = SetParam(*param, assignment.mid(equals + 1));
        if (!reason.isEmpty())
            return UsageError(param->Caption + QStringLiteral(": ") + reason);
    }
    part->Generate();
    TBt& placed = static_cast<TBt&>(*board.Add(std::move(part)));
    if (placed.IsComponent) {
        placed.Number = std::int16_t(board.NaechsteNummer(placed.Identifier));
        placed.PropagateIdentity();
    }
    const QString saveError = SaveProjectFile(out, {&board});
    if (!saveError.isEmpty()) {
        PrintError(QStringLiteral("cannot write %1: %2").arg(out, saveError));
        return Failed;
    }
    return Ok;
}

} // namespace karvel::tool
