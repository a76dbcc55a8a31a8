#pragma once
// Projects, board layout files, library pages and whole-board copies: the containers of board
// records. Saving goes to a temporary file that replaces the old one only once it is complete.

#include "board/Platine.h"
#include "stream/LoadError.h"
#include "stream/StreamError.h"

#include "platform/Language.h"

#include <memory>
#include <optional>
#include <QtCore/QIODevice>
#include <vector>

namespace karvel {

class TBoard;
class TBibo;

struct ProjectLoad {
    std::vector<std::unique_ptr<TPlatine>> Boards;
    // Set when the file is damaged; the boards hold what was read up to the damage.
    std::optional<StreamError> Error;
    // The version text of the first board record.
    QString Version;
    // How many of the boards got at least their header (name and version) from the file; a
    // board past that count holds nothing that was read (an empty file still gives one board).
    std::size_t BoardsRead = 0;
};

// The most a pipe or FIFO may deliver as a project: it is read into memory before the boards.
inline constexpr qint64 MaxStreamedProject = qint64(256) << 20;

// Reads a project: the first board, the board count, the further boards. A too new file
// throws VersionError and yields nothing. Bytes after the last board are reported as an error
// (UnreadData) with every board kept. A pipe is read into memory first, FileOpenError when
// it delivers more than inputLimit bytes.
ProjectLoad ReadProject(QIODevice& device, ViewState& view, qint64 inputLimit = MaxStreamedProject);
// The same from a file; FileOpenError when it cannot be opened as a project: missing, a
// folder, not readable, or a board layout file. The first board remembers the file name.
ProjectLoad ReadProjectFile(const QString& path, ViewState& view,
                            qint64 inputLimit = MaxStreamedProject);

void WriteProject(QIODevice& device, const std::vector<TPlatine*>& boards);
// Writes the project to a temporary file beside the target and renames it over the target.
// Returns an empty text on success, else the reason.
QString SaveProjectFile(const QString& path, const std::vector<TPlatine*>& boards);

// A save writes a new file beside the old one and puts it in place only when all of it is
// written, so it needs a folder that takes new files, even where the file itself could be
// overwritten. Whether the folder of a path refuses them, found by trying.
bool FolderRefusesNewFiles(const QString& path);
// What the user is told when that is why a project could not be saved, and what to do.
QString FolderRefusesNewFilesMessage(const QString& path, Language language);

// A board layout file: the layout's record, written by a board without a layout of its own.
QString SaveLayoutFile(const QString& path, TBoard& layout);
// Reads a layout file into a layout board, named after the file (at most 35 characters).
// FileOpenError, VersionError or StreamError when it cannot be read; a damaged file keeps
// what was read.
void ReadLayoutFile(const QString& path, TPlatine& layout);
// Reads a layout file into the layout of a main board and gives the main board its size and
// offsets. FileOpenError, VersionError or StreamError when it cannot be read.
void ReadLayoutIntoBoard(const QString& path, TPlatine& board);

// A library page file: one board record of the page.
QString SaveLibraryPage(const QString& path, TBibo& page);
std::optional<StreamError> ReadLibraryPage(const QString& path, TBibo& page);

// Adds copies of every element of `from` (and, as far as a copy stream carries them, its board
// fields) to `to`, through a copy stream: the copies share nothing with the originals.
void CopyThroughStream(TPlatine& from, TPlatine& to);
// A complete copy of a board through a copy stream, named as a copy in the view's language.
std::unique_ptr<TPlatine> DuplicateBoard(TPlatine& board);

} // namespace karvel
