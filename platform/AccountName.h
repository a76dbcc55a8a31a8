#pragma once
// Who is signed in: the full name of the account running the program, as the system's user
// database keeps it, for the "by" line of the components list.

#include <optional>
#include <QtCore/QString>

namespace karvel {

// The full name of the current account; nothing when the database holds none.
std::optional<QString> AccountFullName();

// The full name in a GECOS field ("Jane Doe,Room 4,,"): the text before the first comma,
// trimmed; nothing when it is empty.
std::optional<QString> FullNameFromGecos(const QByteArray& gecos);

} // namespace karvel
