#include "shell/ProgramStart.h"

#include "board/ViewStateSettings.h"
#include "platform/NumberLocale.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramSettings.h"
#include "shell/AboutWindow.h"
#include "shell/MainWindow.h"
#include "shell/ScreenPlacement.h"
#include "shell/ToolWindowPlacement.h"

#include <optional>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtCore/QTranslator>
#include <QtGui/QCursor>
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolBar>

namespace karvel {

namespace {

// Shows the title picture at once and keeps it up for at least its time.
class Splash {
public:
    Splash(Language language, int milliseconds) : milliseconds_(milliseconds) {
        window_ = std::make_unique<AboutWindow>(language, AboutWindow::Role::Splash);
        window_->show();
        QApplication::processEvents();
        shown_.start();
    }
    // Waits out the rest of its time with the events running, then goes for good.
    void Finish() {
        const qint64 left = milliseconds_ - shown_.elapsed();
        if (left > 0) {
            QEventLoop wait;
            QTimer::singleShot(int(left), &wait, &QEventLoop::quit);
            wait.exec();
        }
        window_.reset();
    }

private:
    std::unique_ptr<AboutWindow> window_;
    QElapsedTimer shown_;
    int milliseconds_;
};

// Tool windows go where they were left; without a stored place they keep their docks.
void PlaceToolWindows(MainWindow& window, const IniFile& stored) {
    for (int number = 1; number <= MainWindow::ToolWindowCount; ++number) {
        const QString caption = window.ToolWindow(number).windowTitle();
        if (!stored.HasSection(caption))
            continue;
        const ToolWindowSettings place = ProgramSettings::ToolWindowFromIni(stored, caption);
        window.PlaceToolWindow(number, ToolWindowPlacement::FromStored(place.Parent, place.Left,
                                                                       place.Top, place.Visible));
    }
}

// The layout editor keeps its tool windows' places in its own settings file.
void StoreToolWindows(const MainWindow& window, const ProgramSettings& settings) {
    ToolWindowSettingsList places;
    for (int number = 1; number <= MainWindow::ToolWindowCount; ++number) {
        const ToolWindowPlacement place = window.ToolWindowPlace(number);
        places.push_back(
            {window.ToolWindow(number).windowTitle(),
             {place.Position.x(), place.Position.y(), place.StoredParent(), place.Visible}});
    }
    settings.WriteToolWindows(places);
}

} // namespace

namespace {

// Qt's own dialogs (file, colour, font, message boxes) and key names ("Strg+", "Entf") speak
// the program's language. Without the translations installed they stay English.
void LoadQtTranslations(Language language) {
    if (language != Language::German)
        return;
    static QTranslator translator;
    if (translator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

} // namespace

void NameApplication() {
    QApplication::setApplicationName(QStringLiteral("Karvel"));
    QApplication::setApplicationVersion(QStringLiteral(KARVEL_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Karvel"));
}

std::unique_ptr<MainWindow> StartProgram(StartRequest request) {
    const SettingsStore store(request.SettingsFolder, request.UserFolder);
    const ProgramSettings settings(store, ProgramSettings::MainWindowFile());
    const Language language = StartLanguage(store, request.Line.Sprache);
    // The texts the elements make (lengths, sizes) use the default locale.
    QLocale::setDefault(NumberLocale(language));
    LoadQtTranslations(language);

    std::optional<Splash> splash;
    if (request.Line.Splash)
        splash.emplace(language, request.SplashMilliseconds);

    // The user's library pages lie beside the settings, or in the user's data folder.
    LibrarySetup library = LibraryFolder::Prepare(request.SettingsFolder, FindProgramFolder(),
                                                  language, request.LibraryUserFolder);
    auto window = std::make_unique<MainWindow>(
        MainWindow::Options{language, std::move(request.Dialogs), std::move(library)});
    ApplyStartSettings(store, request.Line.Sprache, window->View());
    const WindowSettings main = settings.Read();
    window->ApplySettings(main);
    PlaceToolWindows(*window, settings.Load());
    window->Recent().Load(settings.ReadRecentFiles());
    window->Recent().OnStore = [settings](const QStringList& recent) {
        settings.WriteRecentFiles(recent);
    };
    // The language menu shows and stores what the next start reads, which "--lang" does not
    // change.
    window->SetNextLanguage(LanguageFromSetting(ReadLanguageSetting(store)));
    window->OnLanguageChosen = [store](Language chosen) {
        return WriteLanguageSetting(store, int(chosen));
    };
    window->OnExportDirChanged = [settings](const QString& folder) {
        settings.WriteExportDir(folder);
    };
    MainWindow* shown = window.get();
    window->OnClosed = [settings, shown] { settings.WriteWindowGeometry(GeometryOf(*shown)); };
    const ProgramSettings layoutSettings(store, ProgramSettings::LayoutEditorFile());
    window->OnLayoutEditorMade = [layoutSettings](MainWindow& editor) {
        PlaceToolWindows(editor, layoutSettings.Load());
        editor.OnToolWindowsLeft = [layoutSettings](const MainWindow& closing) {
            StoreToolWindows(closing, layoutSettings);
        };
    };

    const QPoint near = main.Geometry.Normal ? main.Geometry.Normal->center() : QCursor::pos();
    window->setGeometry(StartGeometry(main.Geometry, AvailableScreenArea(near)));
    if (splash)
        splash->Finish();
    if (main.Geometry.Maximised) {
        window->showMaximized();
    } else {
        window->show();
        QApplication::processEvents();
        KeepFrameOnScreen(*window);
    }
    if (!request.Line.ProjectPath.isEmpty())
        window->OpenProjectFile(request.Line.ProjectPath);
    return window;
}

} // namespace karvel
