// karvel-tool: headless batch work on Karvel projects.

#include <QtCore/QCoreApplication>
#include <QtCore/QStringList>
#include <cstdio>

namespace {

constexpr const char* Usage = "usage: karvel-tool <command> [arguments]\n"
                              "commands:\n"
                              "  version    print the program version and the file version\n";

int Version() {
    std::printf("karvel-tool %s (file version 3,08)\n", KARVEL_VERSION);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const QString command = args.at(1);
    if (command == QLatin1String("version") || command == QLatin1String("--version"))
        return Version();
    if (command == QLatin1String("help") || command == QLatin1String("--help")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    std::fprintf(stderr, "karvel-tool: unknown command '%s'\n%s", qPrintable(command), Usage);
    return 2;
}
