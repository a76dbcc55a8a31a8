// Karvel, the desktop program.

#include "board/ElementClasses.h"
#include "board/ViewStateSettings.h"
#include "platform/ProgramSettings.h"
#include "platform/SettingsStore.h"
#include "shell/AboutWindow.h"
#include "shell/CommandLine.h"
#include "shell/MainWindow.h"
#include "shell/ToolWindowPlacement.h"

#include <memory>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolBar>

namespace {

// Long enough to be seen, short enough not to hold anyone up: the window is usable meanwhile.
constexpr int SplashMilliseconds = 1500;

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    karvel::RegisterElementClasses();
    QApplication::setApplicationName(QStringLiteral("Karvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Karvel 3.0"));
    QApplication::setOrganizationName(QStringLiteral("Karvel"));

    const karvel::CommandLine line = karvel::ParseCommandLine(QApplication::arguments().mid(1));
    // The settings files lie beside the program (or in the user's copy when that folder is
    // read-only); the language comes from "SPRACHE.INI" unless the command line names one.
    const karvel::SettingsStore store(QApplication::applicationDirPath());
    const karvel::ProgramSettings settings(store, karvel::ProgramSettings::MainWindowFile());
    const karvel::Language language =
        line.Sprache.value_or(karvel::LanguageFromSetting(karvel::ReadLanguageSetting(store)));

    std::unique_ptr<karvel::AboutWindow> splash;
    if (line.Splash) {
        splash = std::make_unique<karvel::AboutWindow>(language, karvel::AboutWindow::Role::Splash);
        splash->show();
        QApplication::processEvents();
    }

    karvel::MainWindow window({language, nullptr});
    karvel::ApplyMainWindowSettings(settings.Read(), window.View());
    karvel::ApplyViewSettings(
        karvel::ProgramSettings(store, karvel::ProgramSettings::LayoutEditorFile()).Read(),
        window.View());
    // Tool windows go where they were left; without a stored place they keep their docks.
    const karvel::IniFile stored = settings.Load();
    for (int number = 1; number <= karvel::MainWindow::ToolWindowCount; ++number) {
        const QString caption = window.ToolWindow(number).windowTitle();
        if (!stored.HasSection(caption))
            continue;
        const karvel::ToolWindowSettings place =
            karvel::ProgramSettings::ToolWindowFromIni(stored, caption);
        window.PlaceToolWindow(number, karvel::ToolWindowPlacement::FromStored(
                                           place.Parent, place.Left, place.Top, place.Visible));
    }
    window.Recent().Load(settings.ReadRecentFiles());
    window.Recent().OnStore = [&settings](const QStringList& recent) {
        settings.WriteRecentFiles(recent);
    };
    window.show();
    if (!line.ProjectPath.isEmpty())
        window.OpenProjectFile(line.ProjectPath);

    if (splash) {
        splash->raise();
        QTimer::singleShot(SplashMilliseconds, splash.get(), &QWidget::close);
    }
    return QApplication::exec();
}
