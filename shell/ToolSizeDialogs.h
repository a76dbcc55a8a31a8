#pragma once
// The sizes the pad, drilling and track tools ask for before they start: one diameter dialog
// for drillings, pads and tracks, and a dialog for a pad with a drilling. Each is prefilled
// from the board and stores into it only on OK.

#include "platform/Language.h"
#include "shell/DialogNumbers.h"
#include "shell/HelpDialog.h"

#include <optional>

class QWidget;

namespace karvel {

class TPlatine;

// The tool buttons that ask for a size.
inline constexpr int DrillingToolTag = 13;
inline constexpr int PadToolTag = 14;
inline constexpr int TrackToolTag = 15;
inline constexpr int PadWithDrillingToolTag = 16;

// What the diameter fields take: 0.2 to 100 mm in steps of 0.1, one decimal.
NumberRange DiameterRange();

// The diameter dialog with this caption; the diameter on OK, nothing on Cancel.
std::optional<double> RunSizeDialog(QWidget* parent, const QString& caption, double diameter,
                                    Language language, const HelpRequest& help);

// Asks the size the tool of the tag needs, prefilled from the board's drill diameter, pad
// diameter or track width, and stores the answer there on OK. False on Cancel, which changes
// nothing; tags that need no size ask nothing and give true.
bool AskToolSize(QWidget* parent, int toolTag, TPlatine& board, Language language,
                 const HelpRequest& help);
// The same, with help from the manual below the board's program folder.
bool AskToolSizeWithDialogs(QWidget* parent, int toolTag, TPlatine& board, Language language);
// AskToolSizeWithDialogs as the main window asks it.
std::function<bool(int toolTag, TPlatine& board)> ToolSizeQuestion(QWidget* parent,
                                                                   Language language);

} // namespace karvel
