#pragma once
// The commands' enumerator names, as edit scripts and error messages spell them.

#include "board/CommandId.h"

#include <optional>
#include <QtCore/QString>

namespace karvel {

QString CommandName(CommandId id);
// The command of that name (exact spelling), or none.
std::optional<CommandId> CommandFromName(const QString& name);

} // namespace karvel
