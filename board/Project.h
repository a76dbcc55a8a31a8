#pragma once
// A project: its boards in their order, the current one, the file it belongs to, and whether it
// holds only what could be read of a damaged file. Adding, duplicating, deleting, moving,
// importing, opening and saving follow one set of rules for the window, karvel-tool and the
// tests; the window only asks the user and shows the outcome.

#include "board/Platine.h"
#include "platform/Language.h"

#include <functional>
#include <memory>
#include <optional>
#include <QtCore/QString>
#include <vector>

namespace karvel {

struct ProjectLoad;

// What the user is told when a project file could not be read or written as asked, in the
// user's language. Nothing (an empty optional) means it went well.
struct FileProblem {
    enum class Kind {
        CannotOpen,     // missing, a folder, not readable, too large, a board layout file
        TooNew,         // a file of a newer program version
        NoBoard,        // nothing in the file could be read as a board
        Damaged,        // the boards were read up to the damage, which the text names
        NotSaved,       // the project file stays as it was
        BackupNotSaved, // the backup could not be written; the project file is untouched
    };
    Kind What;
    // The whole message.
    QString Text;
    // For a file not written: the system's reason alone, for callers that frame it themselves.
    QString Reason;
};

// The boards a project file yielded, and what went wrong while reading them. No boards means
// the file is not opened at all, and the problem says why.
struct ProjectRead {
    std::vector<std::unique_ptr<TPlatine>> Boards;
    std::optional<FileProblem> Problem;
};

class Project {
public:
    explicit Project(ViewState& view);
    ~Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    int Count() const { return int(boards_.size()); }
    TPlatine& Board(int index) const { return *boards_.at(std::size_t(index)); }
    int CurrentIndex() const { return current_; }
    TPlatine& Current() const { return Board(current_); }
    std::vector<TPlatine*> Boards() const;
    const QString& FileName() const { return fileName_; }
    // The project came from a damaged file and holds only what could be read of it.
    bool Incomplete() const { return incomplete_; }
    // A board was changed since the last save.
    bool Modified() const;
    // Saving under the project's own name is not enough: it has none, or it would replace a
    // damaged file by the part that was read.
    bool NeedsNameToSave() const { return fileName_.isEmpty() || incomplete_; }

    // Told after a board joined the list at index, and before the board at index leaves it: a
    // view of the board must go before the board does. After a move the board at from is at to.
    std::function<void(int index)> OnBoardAdded;
    std::function<void(int index)> OnBoardLeaving;
    std::function<void(int from, int to)> OnBoardMoved;

    // Makes the board at index the current one; false for no such board.
    bool Select(int index);
    // Appends a board, which becomes the current one and carries the project's file name.
    int Append(std::unique_ptr<TPlatine> board);
    // Appends a board that is new to the project: the project counts as changed.
    void Add(std::unique_ptr<TPlatine> board);
    // A new project of one board, without a file.
    void StartNew(std::unique_ptr<TPlatine> board);
    // Appends a copy of the current board, nothing of it selected.
    void DuplicateCurrent();
    // Removes the current board; the board after it, else the last, becomes current. False
    // when it is the only one: a project keeps at least one board.
    bool DeleteCurrent();
    // Moves the current board to index to; false when that is no other place in the list.
    bool MoveCurrent(int to);

    // Reads the boards of a project file. A file that yields none leaves nothing to open.
    static ProjectRead Read(const QString& path, ViewState& view);
    // Replaces every board by the boards read from path; a read without boards changes
    // nothing. A damaged file's boards come with their problem: the project is incomplete
    // then, and saving it asks for a name.
    std::optional<FileProblem> Open(ProjectRead read, const QString& path);
    // Reads a project file and appends its boards; the problem says what could not be read.
    std::optional<FileProblem> Import(const QString& path);

    // Saves every board to path, which becomes the project's file; the boards count as
    // unchanged then. A project that was not saved stays as it was.
    std::optional<FileProblem> Save(const QString& path);
    // Saves every board to the backup path and changes nothing of the project.
    std::optional<FileProblem> SaveBackup(const QString& path) const;

    // The project file a loaded file is saved to: a backup (".BAK") goes to its project file,
    // spelt "rst" or "RST", an existing one preferred.
    static QString FileNameFor(const QString& loadedPath);

    // Removes every board, for a moment: a project holds at least one board.
    void RemoveAll();

private:
    void AppendRead(ProjectRead& read);

    ViewState& view_;
    std::vector<std::unique_ptr<TPlatine>> boards_;
    int current_ = -1;
    QString fileName_;
    bool incomplete_ = false;
};

} // namespace karvel
