#pragma once
// One parameter of the component assistant: a value of some kind with its caption, unit,
// permitted ranges and, for choices, the list to choose from. Lengths are millimetres and
// angles degrees; the generator converts them.

#include <cstdint>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace karvel {

enum class TBtParamKind : std::uint8_t {
    pkFlag = 0,
    pkInteger = 1,
    pkFloat = 2,
    pkText = 3,
    pkChoice = 4,
    pkOhm = 5,
};

// A closed range; one whose ends are equal is empty and contains nothing.
struct ParamRange {
    long double Lo = 0.0L;
    long double Hi = 0.0L;

    bool IsEmpty() const { return Lo == Hi; }
};

struct TBtParam {
    static constexpr int CaptionLength = 30;
    static constexpr int UnitLength = 10;

    TBtParam(TBtParamKind kind, const QString& caption, const QString& unit, const QString& text,
             bool flag, std::int32_t intValue, long double floatValue, const ParamRange& rangeA,
             const ParamRange& rangeB, const QStringList& items = {});

    TBtParamKind Kind;
    QString Caption;
    QString UnitText;
    QString Text;
    bool Flag;
    std::int32_t IntValue;
    long double FloatValue;
    ParamRange RangeA;
    ParamRange RangeB;
    QStringList Items;

    // Whether the value lies in range A or range B. Texts are always valid; flags and choices
    // are not tested against ranges and never lie in one.
    bool InRange() const;
    // The selected item of a choice, or empty when the index refers to none.
    QString SelectedItem() const;
};

// True when the value lies in a permitted range. Otherwise a number is moved onto the nearest
// bound (the later one of equally near bounds) and the answer is false; flags and choices
// answer false and stay as they are.
bool CorrectValue(TBtParam& param);

} // namespace karvel
