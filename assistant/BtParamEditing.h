#pragma once
// How the assistant's parameter grid shows, takes and steps a parameter: the rules of the
// dialog without the dialog, so that they can be tested as plain functions.

#include "assistant/BtParam.h"

#include <QtCore/QString>

namespace karvel {

// "Caption [unit]", or the caption alone without a unit.
QString ParamCaptionText(const TBtParam& param);

// The value as the grid shows it; a resistance is brought into its formatted form on the way,
// text and value both, so that the next commit finds them in step.
QString ParamCellText(TBtParam& param, const QString& yes, const QString& no);

enum class CommitOutcome {
    Unchanged, // nothing to do
    Changed,   // the preview is built again
    Corrected, // the value lay outside its ranges and was moved onto a bound
};

// Takes the text of the value cell: numbers only when they differ from the present value
// (read with a comma or a point, integers rounded), texts and resistances always. Flags and
// choices do not take text.
CommitOutcome CommitParamText(TBtParam& param, const QString& text);

enum class StepInput {
    Advance, // double click or Space: the next choice, or the flag turned over
    Forward, // Right arrow, J or Y: the next choice, or the flag set
    Back,    // Left arrow or N: the previous choice, or the flag cleared
};

// Steps a choice (round the list) or a flag; false, changing nothing, for other kinds.
bool StepParam(TBtParam& param, StepInput input);

} // namespace karvel
