// Karvel, the desktop program.

#include "board/Platine.h"
#include "board/ViewState.h"
#include "shell/BoardControl.h"
#include "shell/ScrollBoxEx.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Karvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Karvel 3.0"));
    QApplication::setOrganizationName(QStringLiteral("Karvel"));

    karvel::ViewState view;
    karvel::TPlatine board(view);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Karvel 3.0 - ") + board.PlatinenName());
    auto* host = new karvel::TScrollBoxEx(&window);
    host->setWidget(new karvel::BoardControl(board));
    window.setCentralWidget(host);
    board.SetHost(host);
    window.resize(1100, 760);
    window.show();
    board.FitBoard();
    return app.exec();
}
