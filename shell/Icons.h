#pragma once
// The pictures of commands: the program's own SVG icons, or the desktop theme's icon for
// generic actions (open, save, print...) with ours standing in when the theme has none.

#include <QtGui/QColor>
#include <QtGui/QIcon>

namespace karvel {

struct Command;

QIcon CommandIcon(const Command& command);
// An icon by its picture name below ":/icons/".
QIcon ProgramIcon(const QString& name);
// A colour swatch for the pen and fill colour buttons.
QIcon SwatchIcon(const QColor& colour, bool pen);

} // namespace karvel
