// The project's rules without a window: the order of its boards, which one is current, what
// counts as changed, and what opening, importing and saving do to its file name.

#include "board/Project.h"
#include "board/ProjectFile.h"
#include "elements/Draht.h"
#include "support/OrdinaryFileRights.h"
#include "support/SampleBoard.h"
#include "support/Stripboard.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

std::unique_ptr<TPlatine> Named(ViewState& view, const QString& name) {
    auto board = std::make_unique<TPlatine>(view);
    test::MakeStripboard(*board, 10, 5);
    board->SetPlatinenName(name);
    return board;
}

QStringList Names(const Project& project) {
    QStringList names;
    for (int i = 0; i < project.Count(); ++i)
        names << project.Board(i).PlatinenName();
    return names;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void ExpectNoProblem(const std::optional<FileProblem>& problem) {
    EXPECT_FALSE(problem.has_value()) << problem->Text.toStdString();
}

// The bytes of a project written by a newer program version.
QByteArray TooNew(QByteArray bytes) {
    const qsizetype at = bytes.indexOf("3,08");
    if (at >= 0)
        bytes.replace(at, 4, "9,08");
    return bytes;
}

// A project of three boards read from a file, so that nothing counts as changed yet.
class ProjectTest : public ::testing::Test {
protected:
    ProjectTest() {
        path = folder.filePath(QStringLiteral("Three.rst"));
        Project written(view);
        for (const char* name : {"A", "B", "C"})
            written.Append(Named(view, QString::fromLatin1(name)));
        ExpectNoProblem(written.Save(path));
        ProjectRead read = Project::Read(path, view);
        ExpectNoProblem(read.Problem);
        ExpectNoProblem(project.Open(std::move(read), path));
    }

    QTemporaryDir folder;
    QString path;
    ViewState view;
    Project project{view};
};

TEST_F(ProjectTest, AnOpenedProjectIsUnchangedAndItsBoardsCarryItsName) {
    EXPECT_EQ(Names(project), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(project.CurrentIndex(), 2) << "the last board read is current";
    EXPECT_FALSE(project.Modified());
    EXPECT_FALSE(project.NeedsNameToSave());
    for (TPlatine* board : project.Boards())
        EXPECT_EQ(board->Dateiname(), path);
}

struct BoardOperation {
    const char* name;
    int select;
    std::function<bool(Project&)> run;
    QStringList after;
    int current;
    bool changed;
};

void PrintTo(const BoardOperation& c, std::ostream* os) {
    *os << c.name;
}

class BoardOperations : public ProjectTest, public ::testing::WithParamInterface<BoardOperation> {};

TEST_P(BoardOperations, KeepTheOrderMoveTheCurrentBoardAndCountAsChanges) {
    const BoardOperation& operation = GetParam();
    ASSERT_TRUE(project.Select(operation.select));
    const bool done = operation.run(project);
    EXPECT_EQ(done, operation.changed);
    EXPECT_EQ(Names(project), operation.after);
    EXPECT_EQ(project.CurrentIndex(), operation.current);
    EXPECT_EQ(project.Modified(), operation.changed);
    if (operation.changed) {
        EXPECT_TRUE(project.Current().Modified()) << "the board the user sees now";
    }
}

bool Duplicate(Project& p) {
    p.DuplicateCurrent();
    return true;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, BoardOperations,
    ::testing::Values(
        BoardOperation{
            "DeleteTheFirst", 0, [](Project& p) { return p.DeleteCurrent(); }, {"B", "C"}, 0, true},
        BoardOperation{"DeleteTheMiddle",
                       1,
                       [](Project& p) { return p.DeleteCurrent(); },
                       {"A", "C"},
                       1,
                       true},
        BoardOperation{"DeleteTheLastMakesTheNewLastCurrent",
                       2,
                       [](Project& p) { return p.DeleteCurrent(); },
                       {"A", "B"},
                       1,
                       true},
        BoardOperation{"MoveToFirst",
                       2,
                       [](Project& p) { return p.MoveCurrent(0); },
                       {"C", "A", "B"},
                       0,
                       true},
        BoardOperation{
            "MoveRight", 0, [](Project& p) { return p.MoveCurrent(1); }, {"B", "A", "C"}, 1, true},
        BoardOperation{"MoveOntoItselfChangesNothing",
                       1,
                       [](Project& p) { return p.MoveCurrent(1); },
                       {"A", "B", "C"},
                       1,
                       false},
        BoardOperation{"MovePastTheEndChangesNothing",
                       2,
                       [](Project& p) { return p.MoveCurrent(3); },
                       {"A", "B", "C"},
                       2,
                       false},
        BoardOperation{"MoveBeforeTheStartChangesNothing",
                       0,
                       [](Project& p) { return p.MoveCurrent(-1); },
                       {"A", "B", "C"},
                       0,
                       false},
        BoardOperation{
            "DuplicateAppendsACopy", 0, Duplicate, {"A", "B", "C", "Kopie von A"}, 3, true}),
    [](const ::testing::TestParamInfo<BoardOperation>& info) { return info.param.name; });

TEST_F(ProjectTest, TheLastBoardCannotBeDeleted) {
    ASSERT_TRUE(project.DeleteCurrent());
    ASSERT_TRUE(project.DeleteCurrent());
    EXPECT_FALSE(project.DeleteCurrent());
    EXPECT_EQ(project.Count(), 1);
}

TEST_F(ProjectTest, ADuplicateSharesNothingAndHasNothingSelected) {
    ASSERT_TRUE(project.Select(0));
    TPlatine& original = project.Current();
    original.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 381}, {1016, 381}}));
    original.MarkiereAlle(true);
    project.DuplicateCurrent();
    TPlatine& copy = project.Current();
    ASSERT_NE(&copy, &original);
    ASSERT_EQ(copy.Count(), original.Count());
    EXPECT_EQ(copy.AnzahlMarkierte(), 0);
    EXPECT_NE(copy.At(0), original.At(0));
    EXPECT_EQ(copy.Dateiname(), path);
}

TEST_F(ProjectTest, ADuplicatesNameStopsAtTheLengthAStoredBoardKeeps) {
    project.Current().SetPlatinenName(QString(38, QLatin1Char('x')));
    project.DuplicateCurrent();
    EXPECT_EQ(project.Current().PlatinenName(),
              (QStringLiteral("Kopie von ") + QString(38, QLatin1Char('x'))).left(36));
}

// Whoever shows a board is told before it goes, while it is still there, and in the order the
// boards go; a move is told after it happened.
TEST_F(ProjectTest, ABoardsLeavingIsToldWhileItIsStillThere) {
    QStringList told;
    project.OnBoardLeaving = [&](int index) {
        told << QStringLiteral("leaving %1 %2 of %3")
                    .arg(index)
                    .arg(project.Board(index).PlatinenName())
                    .arg(project.Count());
    };
    project.OnBoardAdded = [&](int index) {
        told << QStringLiteral("added %1 %2").arg(index).arg(project.Board(index).PlatinenName());
    };
    project.OnBoardMoved = [&](int from, int to) {
        told << QStringLiteral("moved %1 %2 %3")
                    .arg(from)
                    .arg(to)
                    .arg(project.Board(to).PlatinenName());
    };
    ASSERT_TRUE(project.Select(1));
    ASSERT_TRUE(project.DeleteCurrent());
    ASSERT_TRUE(project.MoveCurrent(0));
    project.StartNew(Named(view, QStringLiteral("N")));
    EXPECT_EQ(told, (QStringList{"leaving 1 B of 3", "moved 1 0 C", "leaving 1 A of 2",
                                 "leaving 0 C of 1", "added 0 N"}));
}

TEST_F(ProjectTest, ANewProjectHasNoFileAndCountsAsChanged) {
    project.StartNew(Named(view, QStringLiteral("N")));
    EXPECT_EQ(Names(project), QStringList{"N"});
    EXPECT_TRUE(project.FileName().isEmpty());
    EXPECT_TRUE(project.NeedsNameToSave());
    EXPECT_TRUE(project.Modified());
}

TEST_F(ProjectTest, ImportAppendsTheBoardsUnderThisProjectsName) {
    const QString other = folder.filePath(QStringLiteral("Other.rst"));
    Project written(view);
    written.Append(Named(view, QStringLiteral("X")));
    written.Append(Named(view, QStringLiteral("Y")));
    ExpectNoProblem(written.Save(other));
    ExpectNoProblem(project.Import(other));
    EXPECT_EQ(Names(project), (QStringList{"A", "B", "C", "X", "Y"}));
    EXPECT_EQ(project.CurrentIndex(), 4);
    EXPECT_EQ(project.FileName(), path);
    EXPECT_EQ(project.Board(3).Dateiname(), path);
    EXPECT_TRUE(project.Board(3).Modified());
    EXPECT_TRUE(project.Board(4).Modified());
}

TEST_F(ProjectTest, ADamagedFileOpensIncompleteAndIsNotSavedOverWithoutAName) {
    const QString damaged = folder.filePath(QStringLiteral("Damaged.rst"));
    const QByteArray whole = Bytes(path);
    Put(damaged, whole.left(whole.size() - 40));
    ProjectRead read = Project::Read(damaged, view);
    ASSERT_FALSE(read.Boards.empty());
    ASSERT_TRUE(read.Problem);
    EXPECT_EQ(read.Problem->What, FileProblem::Kind::Damaged);
    const std::optional<FileProblem> problem = project.Open(std::move(read), damaged);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->Text.endsWith(u'\r' + damaged)) << problem->Text.toStdString();
    EXPECT_TRUE(project.Incomplete());
    EXPECT_TRUE(project.NeedsNameToSave());

    const QString saved = folder.filePath(QStringLiteral("Saved.rst"));
    ExpectNoProblem(project.Save(saved));
    EXPECT_FALSE(project.Incomplete());
    EXPECT_EQ(project.FileName(), saved);
    EXPECT_FALSE(project.Modified());
    for (TPlatine* board : project.Boards())
        EXPECT_EQ(board->Dateiname(), saved);
}

struct Unopenable {
    const char* name;
    QByteArray bytes;
    FileProblem::Kind kind;
};

void PrintTo(const Unopenable& c, std::ostream* os) {
    *os << c.name;
}

class UnopenableFiles : public ProjectTest, public ::testing::WithParamInterface<Unopenable> {};

// A file that yields no board opens nothing and leaves the project as it was.
TEST_P(UnopenableFiles, LeaveTheProjectAsItWas) {
    const Unopenable& c = GetParam();
    const QString file = folder.filePath(QStringLiteral("file.rst"));
    if (c.kind == FileProblem::Kind::TooNew)
        Put(file, TooNew(Bytes(path)));
    else if (!c.bytes.isNull())
        Put(file, c.bytes);
    ProjectRead read = Project::Read(file, view);
    EXPECT_TRUE(read.Boards.empty());
    ASSERT_TRUE(read.Problem);
    EXPECT_EQ(read.Problem->What, c.kind);
    EXPECT_FALSE(read.Problem->Text.isEmpty());
    const std::optional<FileProblem> problem = project.Open(std::move(read), file);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->What, c.kind);
    EXPECT_EQ(Names(project), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(project.FileName(), path);
    EXPECT_EQ(project.Import(file)->What, c.kind);
    EXPECT_EQ(project.Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnopenableFiles,
    ::testing::Values(Unopenable{"Missing", QByteArray(), FileProblem::Kind::CannotOpen},
                      Unopenable{"Empty", QByteArray(""), FileProblem::Kind::NoBoard},
                      Unopenable{"Text", QByteArray("[Karvel]\r\nUndoAnz=10\r\n"),
                                 FileProblem::Kind::NoBoard},
                      Unopenable{"TooNew", QByteArray(), FileProblem::Kind::TooNew}),
    [](const ::testing::TestParamInfo<Unopenable>& info) { return info.param.name; });

TEST_F(ProjectTest, AFailedSaveKeepsTheFileAndTheProjectAndSaysWhy) {
    project.Current().SetModified(true);
    const QByteArray before = Bytes(path);
    std::optional<FileProblem> problem;
    {
        const test::OrdinaryFileRights rights(folder.path());
        ASSERT_TRUE(
            QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        problem = project.Save(path);
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    }
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->What, FileProblem::Kind::NotSaved);
    EXPECT_TRUE(problem->Text.contains(QStringLiteral("nicht gespeichert")))
        << problem->Text.toStdString();
    EXPECT_FALSE(problem->Reason.isEmpty());
    EXPECT_EQ(Bytes(path), before);
    EXPECT_TRUE(project.Modified());
    EXPECT_EQ(project.FileName(), path);
}

TEST_F(ProjectTest, ABackupChangesNothingOfTheProject) {
    project.Current().SetModified(true);
    const QString backup = folder.filePath(QStringLiteral("Three.BAK"));
    ExpectNoProblem(project.SaveBackup(backup));
    EXPECT_EQ(Bytes(backup), Bytes(path));
    EXPECT_TRUE(project.Modified());
    EXPECT_EQ(project.FileName(), path);
    const std::optional<FileProblem> failed =
        project.SaveBackup(folder.filePath(QStringLiteral("no/such/folder/x.BAK")));
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->What, FileProblem::Kind::BackupNotSaved);
}

TEST(ProjectFileName, ABackupIsSavedToItsProjectFileAsItIsSpelt) {
    const QTemporaryDir folder;
    const QString stem = folder.filePath(QStringLiteral("amp."));
    EXPECT_EQ(Project::FileNameFor(stem + QStringLiteral("BAK")), stem + QStringLiteral("RST"));
    Put(stem + QStringLiteral("rst"), "x");
    EXPECT_EQ(Project::FileNameFor(stem + QStringLiteral("BAK")), stem + QStringLiteral("rst"));
    EXPECT_EQ(Project::FileNameFor(stem + QStringLiteral("bak")), stem + QStringLiteral("bak"));
}

} // namespace
} // namespace karvel
