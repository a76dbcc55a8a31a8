#include "shell/BoardPreviewWindow.h"

#include "board/ProjectFile.h"
#include "shell/BoardControl.h"
#include "shell/ScrollBoxEx.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

BoardPreviewWindow::BoardPreviewWindow(QWidget* owner, const QString& programFolder,
                                       Language language)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      scroll_(new TScrollBoxEx) {
    setObjectName(QStringLiteral("PreviewForm"));
    view_.Sprache = language;
    view_.ProgramFolder = programFolder;
    scroll_->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    resize(360, 260);
    move(Place);
}

BoardPreviewWindow::~BoardPreviewWindow() {
    // The control refers to the board; it goes first.
    delete scroll_->takeWidget();
}

bool BoardPreviewWindow::IsLayoutFile(const QString& path) {
    const QFileInfo file(path);
    return file.isFile() && file.suffix().toUpper() == QLatin1String("KVB");
}

bool BoardPreviewWindow::ShowLayout(const QString& path) {
    if (!IsLayoutFile(path))
        return false;
    auto board = std::make_unique<TPlatine>(view_);
    // What cannot be read is not shown; the user learns of it only when taking the file.
    try {
        ReadLayoutIntoBoard(path, *board);
    } catch (const FileOpenError&) {
        return false;
    } catch (const VersionError&) {
        return false;
    } catch (const StreamError&) {
        return false;
    }
    delete scroll_->takeWidget();
    board_ = std::move(board);
    control_ = new BoardControl(*board_);
    // A look, not a place to edit: clicks and keys stay with the dialog.
    control_->setAttribute(Qt::WA_TransparentForMouseEvents);
    control_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(control_);
    board_->SetHost(scroll_);
    setWindowTitle(QFileInfo(path).fileName());
    if (!isVisible())
        show();
    board_->FitBoard();
    control_->InvalidateAll();
    return true;
}

} // namespace karvel
