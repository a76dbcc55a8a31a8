#pragma once
// The about window: the title picture, a few words about the program, a link to its folder and
// an OK button. At start it serves as the splash screen, showing the picture alone.

#include "platform/Language.h"

#include <QtWidgets/QDialog>

namespace karvel {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    enum class Role { About, Splash };

    AboutWindow(Language language, Role role, QWidget* parent = nullptr);

    // The title picture at a width, sharp on the screen's pixel ratio.
    static QPixmap TitlePicture(int width, qreal pixelRatio);
};

} // namespace karvel
