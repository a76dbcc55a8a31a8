#include "board/Project.h"

#include "board/ProjectFile.h"
#include "stream/LoadError.h"
#include "stream/StreamError.h"

#include <algorithm>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace karvel {

namespace {

// The board whose record the damage broke off and of which nothing but its header was read is
// not shown: its name would be whatever bytes stood where a name belongs. A file without any
// other board is not a project.
void DropBrokenBoard(ProjectLoad& load) {
    if (load.Error && !load.Boards.empty() && load.Boards.back()->Count() == 0)
        load.Boards.pop_back();
}

// The version text of a board record, such as "3,08". Other bytes in its place mean that the
// file is no project at all, rather than one of a newer program.
bool LooksLikeVersion(const QString& text) {
    return text.size() == 4 && text[0].isDigit() && text[1] == u',' && text[2].isDigit() &&
           text[3].isDigit();
}

FileProblem NoBoard(const QString& path, const QString& reason, Language language) {
    QString text = Tr(language,
                      QStringLiteral("Die Datei \"%1\" enthält keine lesbare Platine und "
                                     "wird nicht geöffnet."),
                      QStringLiteral("The file \"%1\" holds no board that can be read and "
                                     "is not opened."))
                       .arg(path);
    if (!reason.isEmpty())
        text += u'\r' + reason;
    return {FileProblem::Kind::NoBoard, text, {}};
}

} // namespace

Project::Project(ViewState& view) : view_(view) {}

// The boards go without telling: whoever shows them goes first.
Project::~Project() = default;

std::vector<TPlatine*> Project::Boards() const {
    std::vector<TPlatine*> result;
    for (const auto& board : boards_)
        result.push_back(board.get());
    return result;
}

bool Project::Modified() const {
    return std::any_of(boards_.begin(), boards_.end(),
                       [](const auto& board) { return board->Modified(); });
}

bool Project::Select(int index) {
    if (index < 0 || index >= Count())
        return false;
    current_ = index;
    return true;
}

int Project::Append(std::unique_ptr<TPlatine> board) {
    board->SetDateiname(fileName_);
    boards_.push_back(std::move(board));
    current_ = Count() - 1;
    if (OnBoardAdded)
        OnBoardAdded(current_);
    return current_;
}

void Project::Add(std::unique_ptr<TPlatine> board) {
    Append(std::move(board));
    Current().SetModified(true);
}

void Project::StartNew(std::unique_ptr<TPlatine> board) {
    RemoveAll();
    fileName_.clear();
    incomplete_ = false;
    Add(std::move(board));
}

void Project::DuplicateCurrent() {
    std::unique_ptr<TPlatine> copy = DuplicateBoard(Current());
    copy->MarkiereAlle(false);
    Add(std::move(copy));
}

bool Project::DeleteCurrent() {
    if (Count() < 2)
        return false;
    const int index = current_;
    if (OnBoardLeaving)
        OnBoardLeaving(index);
    boards_.erase(boards_.begin() + index);
    current_ = std::min(index, Count() - 1);
    Current().SetModified(true);
    return true;
}

bool Project::MoveCurrent(int to) {
    const int from = current_;
    if (to < 0 || to >= Count() || to == from)
        return false;
    std::unique_ptr<TPlatine> moved = std::move(boards_[std::size_t(from)]);
    boards_.erase(boards_.begin() + from);
    boards_.insert(boards_.begin() + to, std::move(moved));
    current_ = to;
    if (OnBoardMoved)
        OnBoardMoved(from, to);
    Current().SetModified(true);
    return true;
}

void Project::RemoveAll() {
    while (!boards_.empty()) {
        if (OnBoardLeaving)
            OnBoardLeaving(Count() - 1);
        boards_.pop_back();
    }
    current_ = -1;
}

ProjectRead Project::Read(const QString& path, ViewState& view) {
    const Language language = view.Sprache;
    ProjectRead read;
    ProjectLoad load;
    try {
        load = ReadProjectFile(path, view);
    } catch (const VersionError& error) {
        read.Problem = LooksLikeVersion(error.FileVersion())
                           ? FileProblem{FileProblem::Kind::TooNew, error.Message(language), {}}
                           : NoBoard(path, {}, language);
        return read;
    } catch (const FileOpenError& error) {
        read.Problem = FileProblem{FileProblem::Kind::CannotOpen, error.Message(language), {}};
        return read;
    }
    DropBrokenBoard(load);
    if (load.Boards.empty()) {
        read.Problem =
            NoBoard(path, load.Error ? load.Error->Message(language) : QString(), language);
        return read;
    }
    read.Boards = std::move(load.Boards);
    if (load.Error)
        read.Problem = FileProblem{FileProblem::Kind::Damaged, load.Error->Message(language), {}};
    return read;
}

void Project::AppendRead(ProjectRead& read) {
    for (std::unique_ptr<TPlatine>& board : read.Boards)
        Append(std::move(board));
    read.Boards.clear();
}

std::optional<FileProblem> Project::Open(ProjectRead read, const QString& path) {
    if (read.Boards.empty())
        return read.Problem;
    RemoveAll();
    fileName_ = FileNameFor(path);
    // Saving it under its own name would replace the damaged file by the part that was read.
    incomplete_ = read.Problem.has_value();
    AppendRead(read);
    if (!read.Problem)
        return std::nullopt;
    read.Problem->Text += u'\r' +
                          view_.Tr(QStringLiteral("Die Datei ist beschädigt; gezeigt wird, was "
                                                  "bis dahin gelesen werden konnte:"),
                                   QStringLiteral("The file is damaged; what could be read up "
                                                  "to there is shown:")) +
                          u'\r' + path;
    return read.Problem;
}

std::optional<FileProblem> Project::Import(const QString& path) {
    ProjectRead read = Read(path, view_);
    for (std::unique_ptr<TPlatine>& board : read.Boards)
        Add(std::move(board));
    return read.Problem;
}

std::optional<FileProblem> Project::Save(const QString& path) {
    const QString error = SaveProjectFile(path, Boards());
    if (!error.isEmpty()) {
        // The system's "access denied" would not tell that the file could be written.
        const QString reason =
            FolderRefusesNewFiles(path) ? FolderRefusesNewFilesMessage(path, view_.Sprache) : error;
        return FileProblem{
            FileProblem::Kind::NotSaved,
            view_.Tr(QStringLiteral("Das Projekt wurde nicht gespeichert; die Datei \"%1\" "
                                    "bleibt, wie sie war:"),
                     QStringLiteral("The project was not saved; the file \"%1\" stays as it "
                                    "was:"))
                    .arg(path) +
                u'\r' + reason,
            error};
    }
    fileName_ = path;
    incomplete_ = false;
    for (const auto& board : boards_) {
        board->SetModified(false);
        board->SetDateiname(path);
    }
    return std::nullopt;
}

std::optional<FileProblem> Project::SaveBackup(const QString& path) const {
    const QString error = SaveProjectFile(path, Boards());
    if (error.isEmpty())
        return std::nullopt;
    return FileProblem{
        FileProblem::Kind::BackupNotSaved,
        view_.Tr(QStringLiteral("Die Sicherung \"%1\" kann nicht geschrieben werden; das Projekt "
                                "selbst ist unberührt:"),
                 QStringLiteral("The backup \"%1\" cannot be written; the project itself is "
                                "untouched:"))
                .arg(path) +
            u'\r' + error,
        error};
}

QString Project::FileNameFor(const QString& loadedPath) {
    if (!loadedPath.endsWith(QStringLiteral("BAK"), Qt::CaseSensitive))
        return loadedPath;
    const QString stem = loadedPath.chopped(3);
    const QFileInfo info(stem + QStringLiteral("rst"));
    const QStringList siblings = info.dir().entryList({info.fileName()}, QDir::Files);
    if (!siblings.isEmpty())
        return info.dir().filePath(siblings.front());
    return stem + QStringLiteral("RST");
}

} // namespace karvel
