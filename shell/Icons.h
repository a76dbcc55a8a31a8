#pragma once
// The pictures of commands: the program's own SVG icons, or the desktop theme's icon for
// generic actions (open, save, print...) with ours standing in when the theme has none.

#include <QtGui/QColor>
#include <QtGui/QIcon>

namespace karvel {

struct Command;

// Disabled, it shows a faded grey picture (FadedPixmap), unmistakably out of use.
QIcon CommandIcon(const Command& command);
// An icon by its picture name below ":/icons/".
QIcon ProgramIcon(const QString& name);
// A picture in grey at a third of its opacity: how a disabled command's icon looks.
QPixmap FadedPixmap(const QPixmap& pixmap);
// A colour swatch for the pen and fill colour buttons.
QIcon SwatchIcon(const QColor& colour, bool pen);

} // namespace karvel
