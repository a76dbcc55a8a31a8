#pragma once
// The library page dialog: a page's name beside the file it is kept in.

#include "platform/Language.h"
#include "shell/HelpDialog.h"

#include <optional>

namespace karvel {

// The stored page name holds at most this many characters.
inline constexpr int LibraryPageNameLength = 36;

// The name on OK, nothing on Cancel.
std::optional<QString> RunLibraryPageDialog(QWidget* parent, Language language, const QString& name,
                                            const QString& fileName, const HelpRequest& help);

} // namespace karvel
