#include "shell/AboutWindow.h"

#include "platform/ProgramFolder.h"

#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

namespace {

constexpr int PictureWidth = 520;

} // namespace

QPixmap AboutWindow::TitlePicture(int width, qreal pixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/pictures/TITEL.svg"));
    const QSize logical = renderer.defaultSize().scaled(width, 10000, Qt::KeepAspectRatio);
    QPixmap picture((QSizeF(logical) * pixelRatio).toSize());
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(logical)));
    return picture;
}

AboutWindow::AboutWindow(Language language, Role role, QWidget* parent)
    : QDialog(parent,
              role == Role::Splash ? Qt::SplashScreen | Qt::FramelessWindowHint : Qt::Dialog) {
    setWindowTitle(Tr(language, QStringLiteral("Info"), QStringLiteral("About")));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(TitlePicture(PictureWidth, devicePixelRatioF()));
    layout->addWidget(picture);
    if (role == Role::Splash) {
        layout->setContentsMargins(0, 0, 0, 0);
        return;
    }
    auto* text =
        new QLabel(Tr(language,
                      QStringLiteral("<b>Karvel 3.0</b><br>Layout-Editor für Lochraster- und "
                                     "Streifenrasterplatinen.<br>Version ") +
                          QStringLiteral(KARVEL_VERSION),
                      QStringLiteral("<b>Karvel 3.0</b><br>Layout editor for perfboards and "
                                     "stripboards.<br>Version ") +
                          QStringLiteral(KARVEL_VERSION)),
                   this);
    text->setTextFormat(Qt::RichText);
    layout->addWidget(text);
    auto* link = new QLabel(QStringLiteral("<a href=\"folder\">%1</a>")
                                .arg(Tr(language, QStringLiteral("Programmordner öffnen"),
                                        QStringLiteral("Open the program folder"))),
                            this);
    connect(link, &QLabel::linkActivated, this,
            [] { QDesktopServices::openUrl(QUrl::fromLocalFile(FindProgramFolder())); });
    layout->addWidget(link);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace karvel
