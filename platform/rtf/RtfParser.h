#pragma once
// The one reader of Rich Text Format in the program, shared by the document reader and the
// plain-text extraction. It runs over the bytes with an explicit group stack, never recursing,
// and stops at fixed limits: input size, group depth, control-word and number length. What it
// understands it hands to a sink as text runs and paragraph ends with their resolved formats;
// destinations it does not know are skipped.

#include "platform/Language.h"

#include <optional>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <QtCore/QStringView>
#include <QtGui/QRgb>
#include <vector>

namespace karvel {

struct RtfLimits {
    qsizetype MaxInput = 32 * 1024 * 1024;
    int MaxDepth = 200;
    // The format's own limit for a control word's letters, and digits for an int32.
    int MaxWordLength = 32;
    int MaxNumberDigits = 10;
    int MaxTabStops = 32;
};

enum class RtfProblem {
    None,
    NotRtf,      // the bytes are no RTF document; callers take them as plain text
    TooLarge,    // nothing was read
    TooDeep,     // read up to the group that went too deep
    WordTooLong, // read up to the control word or number that is too long
    Truncated,   // the document ends before its groups are closed; all of it was read
};

struct RtfResult {
    RtfProblem Problem = RtfProblem::None;
    qsizetype Offset = 0; // where reading stopped
    bool Complete() const { return Problem == RtfProblem::None || Problem == RtfProblem::NotRtf; }
};

// What a problem means for the user; empty for None and NotRtf.
QString RtfProblemMessage(const RtfResult& result, Language language, const RtfLimits& limits = {});

// A character format with the font and colour tables already looked up.
struct RtfCharFormat {
    QString Family; // empty when the document names no font
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    std::optional<QRgb> Colour; // nothing: the automatic colour
    bool operator==(const RtfCharFormat&) const = default;
};

struct RtfTab {
    enum class Kind { Left, Centre, Right, Decimal };
    int Twips = 0;
    Kind Type = Kind::Left;
    bool operator==(const RtfTab&) const = default;
};

struct RtfParagraphFormat {
    enum class Align { Left, Right, Centre, Justify };
    Align Alignment = Align::Left;
    // In twips; the first line starts at Left + First.
    int Left = 0;
    int Right = 0;
    int First = 0;
    std::vector<RtfTab> Tabs;
    bool Bullet = false;
    bool operator==(const RtfParagraphFormat&) const = default;
};

class RtfSink {
public:
    virtual ~RtfSink() = default;
    // Text of one format; a line break inside a paragraph comes as U+2028.
    virtual void Text(QStringView text, const RtfCharFormat& format) = 0;
    // The end of a paragraph, with the format of its paragraph mark.
    virtual void ParagraphEnd(const RtfParagraphFormat& paragraph, const RtfCharFormat& mark) = 0;
};

// Reads the document. Text after the last paragraph mark comes as a last paragraph; a problem
// ends reading, keeping what the sink received up to there.
RtfResult ParseRtf(QByteArrayView bytes, RtfSink& sink, const RtfLimits& limits = {});

// Whether a character may stand in a document's text: not control characters other than the
// tab, nor the characters a text document keeps for its own structure and objects.
bool IsTextCharacter(char16_t c);

// Whether the bytes begin like an RTF document (after white space).
bool LooksLikeRtf(QByteArrayView bytes);

} // namespace karvel
