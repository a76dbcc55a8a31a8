#include "assistant/BtParamEditing.h"

#include "assistant/OhmText.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <limits>
#include <QtCore/QLocale>

namespace karvel {

namespace {

QString ShortestDecimal(long double value) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(double(value), 'g', QLocale::FloatingPointShortest);
}

std::int32_t ToInteger(long double value) {
    const std::int64_t rounded = RoundHalfEven(value);
    return std::int32_t(std::clamp<std::int64_t>(rounded, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

CommitOutcome Checked(TBtParam& param) {
    return CorrectValue(param) ? CommitOutcome::Changed : CommitOutcome::Corrected;
}

} // namespace

QString ParamCaptionText(const TBtParam& param) {
    if (param.UnitText.isEmpty())
        return param.Caption;
    return param.Caption + QStringLiteral(" [") + param.UnitText + u']';
}

QString ParamCellText(TBtParam& param, const QString& yes, const QString& no) {
    switch (param.Kind) {
    case TBtParamKind::pkFlag:
        return param.Flag ? yes : no;
    case TBtParamKind::pkInteger:
        return QString::number(param.IntValue);
    case TBtParamKind::pkFloat:
        return ShortestDecimal(param.FloatValue);
    case TBtParamKind::pkText:
        return param.Text;
    case TBtParamKind::pkChoice:
        return param.SelectedItem();
    case TBtParamKind::pkOhm:
        param.Text = FormatOhm(double(param.FloatValue));
        param.FloatValue = ParseOhm(param.Text).value_or(double(param.FloatValue));
        return param.Text;
    }
    return {};
}

CommitOutcome CommitParamText(TBtParam& param, const QString& text) {
    switch (param.Kind) {
    case TBtParamKind::pkInteger: {
        const std::int32_t value = ToInteger(TextToNumber(text));
        if (value == param.IntValue)
            return CommitOutcome::Unchanged;
        param.IntValue = value;
        return Checked(param);
    }
    case TBtParamKind::pkFloat: {
        const long double value = TextToNumber(text);
        if (value == param.FloatValue)
            return CommitOutcome::Unchanged;
        param.FloatValue = value;
        return Checked(param);
    }
    case TBtParamKind::pkText:
        param.Text = text;
        return CommitOutcome::Changed;
    case TBtParamKind::pkOhm: {
        // A value beyond what a number holds is refused: the last good one stays.
        if (const std::optional<double> ohms = ParseOhm(text))
            param.FloatValue = *ohms;
        const CommitOutcome outcome = Checked(param);
        param.Text = FormatOhm(double(param.FloatValue));
        return outcome;
    }
    case TBtParamKind::pkFlag:
    case TBtParamKind::pkChoice:
        break;
    }
    return CommitOutcome::Unchanged;
}

bool StepParam(TBtParam& param, StepInput input) {
    if (param.Kind == TBtParamKind::pkFlag) {
        param.Flag = input == StepInput::Advance ? !param.Flag : input == StepInput::Forward;
        return true;
    }
    if (param.Kind != TBtParamKind::pkChoice)
        return false;
    const auto count = std::int32_t(param.Items.size());
    if (count == 0)
        return true;
    const std::int32_t step = input == StepInput::Back ? count - 1 : 1;
    // An index that refers to no item starts over at the first.
    const std::int32_t from = std::clamp(param.IntValue, -1, count - 1);
    param.IntValue = from < 0 ? 0 : (from + step) % count;
    return true;
}

} // namespace karvel
