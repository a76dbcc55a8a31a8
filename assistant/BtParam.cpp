#include "assistant/BtParam.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace karvel {

namespace {

bool Contains(const ParamRange& range, long double value) {
    return !range.IsEmpty() && range.Lo <= value && value <= range.Hi;
}

bool ContainsInteger(const ParamRange& range, std::int32_t value) {
    return !range.IsEmpty() && RoundHalfEven(range.Lo) <= value && value <= RoundHalfEven(range.Hi);
}

std::vector<long double> Bounds(const TBtParam& param) {
    std::vector<long double> bounds{param.RangeA.Lo, param.RangeA.Hi};
    if (!param.RangeB.IsEmpty()) {
        bounds.push_back(param.RangeB.Lo);
        bounds.push_back(param.RangeB.Hi);
    }
    return bounds;
}

long double NearestBound(const std::vector<long double>& bounds, long double value) {
    // An endless value goes to the outermost bound on its side, a value that is no number to
    // the first bound: distances from them say nothing.
    if (std::isnan(value))
        return bounds.front();
    if (std::isinf(value))
        return value > 0 ? *std::max_element(bounds.begin(), bounds.end())
                         : *std::min_element(bounds.begin(), bounds.end());
    long double best = bounds.front();
    long double bestDistance = std::numeric_limits<long double>::infinity();
    for (const long double bound : bounds) {
        const long double distance = std::fabs(value - bound);
        if (distance <= bestDistance) {
            best = bound;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

TBtParam::TBtParam(TBtParamKind kind, const QString& caption, const QString& unit,
                   const QString& text, bool flag, std::int32_t intValue, long double floatValue,
                   const ParamRange& rangeA, const ParamRange& rangeB, const QStringList& items)
    : Kind(kind), Caption(caption.left(CaptionLength)), UnitText(unit.left(UnitLength)), Text(text),
      Flag(flag), IntValue(intValue), FloatValue(floatValue), RangeA(rangeA), RangeB(rangeB),
      Items(items) {}

bool TBtParam::InRange() const {
    switch (Kind) {
    case TBtParamKind::pkText:
        return true;
    case TBtParamKind::pkInteger:
        return ContainsInteger(RangeA, IntValue) || ContainsInteger(RangeB, IntValue);
    case TBtParamKind::pkFloat:
    case TBtParamKind::pkOhm:
        return Contains(RangeA, FloatValue) || Contains(RangeB, FloatValue);
    default:
        return false;
    }
}

QString TBtParam::SelectedItem() const {
    if (IntValue < 0 || IntValue >= Items.size())
        return {};
    return Items.at(IntValue);
}

bool CorrectValue(TBtParam& param) {
    if (param.InRange())
        return true;
    switch (param.Kind) {
    case TBtParamKind::pkInteger:
        param.IntValue = std::int32_t(RoundHalfEven(NearestBound(Bounds(param), param.IntValue)));
        break;
    case TBtParamKind::pkFloat:
    case TBtParamKind::pkOhm:
        param.FloatValue = NearestBound(Bounds(param), param.FloatValue);
        break;
    default:
        break;
    }
    return false;
}

} // namespace karvel
