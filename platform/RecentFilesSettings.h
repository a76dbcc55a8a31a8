#pragma once
// The recent-file list as the main window's settings file keeps it: section "MRU", key "MRU0"
// for the most recent project up to "MRU3", and the rule by which a path joins the list.

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace karvel {

class IniFile;

constexpr int MaxRecentFiles = 4;

QString RecentFilesSection();

// Puts the path on top: a path already listed moves there, a new one pushes the oldest out of
// a full list, an empty one changes nothing. Paths keep their case and are told apart by it,
// as the file system does.
QStringList AddRecentFile(QStringList mostRecentFirst, const QString& path);

// Keys "MRU3" to "MRU0" added in this order, so that "MRU0" ends on top and a path stored
// twice appears once.
QStringList ReadRecentFiles(const IniFile& ini);
// Rewrites the section where it stands: "MRU0" for the first path, then on; at most four.
void WriteRecentFiles(IniFile& ini, const QStringList& mostRecentFirst);

} // namespace karvel
