#include "tools/karvel-tool/Help.h"

#include <QtCore/QStringList>

namespace karvel::tool {

namespace {

struct Entry {
    const char* Name;
    // How the command is called, the same in both languages.
    const char* Synopsis;
    // One line for the overview.
    const char* GermanSummary;
    const char* EnglishSummary;
    // The rest of the command's own help: its options and what it does.
    const char* German;
    const char* English;
};

const Entry Entries[] = {
    {"version", "version", "die Programmversion und die Dateiversion, die es schreibt",
     "the program version and the file version it writes", "", ""},
    {"info", "info FILE [--lang de|en]", "die Platinen und Elemente eines Projekts als JSON",
     "the boards and elements of a project as JSON",
     "Gibt jede gelesene Platine mit ihren Elementen als JSON aus; Art- und Maßtexte\n"
     "(kindName, measureText) in der gewählten Sprache. Von einer beschädigten Datei\n"
     "zeigt es, was gelesen wurde, meldet den Schaden und endet mit Status 1.\n",
     "Prints every board that was read with its elements as JSON; kind names and\n"
     "measures (kindName, measureText) in the chosen language. Of a damaged file it shows\n"
     "what was read, reports the damage and ends with status 1.\n"},
    {"convert", "convert IN OUT [--lang de|en]",
     "ein Projekt jeder Version lesen, in der aktuellen schreiben",
     "read a project of any version, write the current one",
     "Ein beschädigtes Projekt wird nicht geschrieben. OUT darf ein Gerät oder eine\n"
     "Pipe sein (/dev/stdout); eine Datei wird über eine temporäre Datei ersetzt.\n",
     "A damaged project is not written. OUT may be a device or pipe (/dev/stdout); a\n"
     "file is replaced through a temporary file.\n"},
    {"render", "render FILE OUT [options]",
     "ein Bild einer Platine: OUT endet auf .png, .pdf oder .svg",
     "a picture of a board: OUT ending in .png, .pdf or .svg",
     "  --board N               die N-te Platine des Projekts (ab 1; sonst die erste)\n"
     "  --solder --see-through --xray --outline --no-bitmaps    Ansichten\n"
     "  --zoom Z | --dpi D      Bildschirmzoom (0,2 bis 20, sonst 3) oder Druckauflösung\n"
     "  --no-components --no-layout --grid-numbers --title TEXT  Druckoptionen\n"
     "  --probe COL,ROW         den Durchgang von einem Loch aus zeigen\n"
     "  --unused                das ungenutzte Kupfer zeigen\n"
     "  --lang de|en            Texte des Schriftfelds und Meldungen\n"
     "PNG ohne Druckoptionen zeigt die Bildschirmansicht, sonst die gedruckte Ansicht\n"
     "im Maßstab 1:1.\n",
     "  --board N               the N-th board of the project (from 1; default 1)\n"
     "  --solder --see-through --xray --outline --no-bitmaps    view modes\n"
     "  --zoom Z | --dpi D      screen zoom (0.2 to 20, default 3) or print resolution\n"
     "  --no-components --no-layout --grid-numbers --title TEXT  print options\n"
     "  --probe COL,ROW         show the continuity from a hole\n"
     "  --unused                show the unused copper\n"
     "  --lang de|en            texts of the title block and messages\n"
     "A PNG without print options shows the screen view, else the printed view at true\n"
     "scale.\n"},
    {"probe", "probe FILE --at COL,ROW [--board N] [--lang de|en]",
     "was mit einem Loch verbunden ist, als JSON", "what is connected to a hole, as JSON",
     "Die Verbindungen sind Pfade: der Index eines Elements, dann die Indizes in den\n"
     "Gruppen, in denen es liegt.\n",
     "Connections are paths: an element's index, then the indices through the groups it\n"
     "lies in.\n"},
    {"unused", "unused FILE [--board N] [--lang de|en]", "das Kupfer, das nichts berührt, als JSON",
     "the copper nothing touches, as JSON", "", ""},
    {"edit", "edit IN OUT [--board N] [--script FILE] [--lang de|en]",
     "ein Bearbeitungsskript auf eine Platine anwenden und das Projekt nach OUT schreiben",
     "replay an edit script onto a board and save the project to OUT",
     "Das Skript kommt aus FILE, ohne --script von der Standardeingabe; ein Schritt\n"
     "je Zeile (siehe README.md). Ein fehlerhafter Schritt beendet es mit Status 2, und\n"
     "OUT wird nicht geschrieben.\n",
     "The script comes from FILE, without --script from standard input; one step per\n"
     "line (see README.md). A faulty step ends it with status 2, and OUT is not written.\n"},
    {"generate", "generate STYLE [NAME=VALUE ...] OUT [--lang de|en]",
     "ein Teil des Bauteil-Assistenten (Stil 0 bis 14) als Projekt mit einer Platine",
     "a part of the component assistant (style 0 to 14) as a one-board project",
     "Stile 0 bis 10 sind Umrisse, 11 bis 14 Bauteile. NAME ist ein Parameter des Stils\n"
     "in einer der beiden Sprachen (Groß- und Kleinschreibung egal); Zahlen mit Komma\n"
     "oder Punkt. Ein Wert außerhalb des Bereichs wird mit einer Warnung auf die\n"
     "nächste Grenze gesetzt, wie im Assistenten.\n"
     "  karvel-tool generate STYLE --help   die Parameter des Stils mit Vorgaben,\n"
     "                                      Bereichen und Auswahlen\n",
     "Styles 0 to 10 are outlines, 11 to 14 components. NAME is a parameter of the style\n"
     "in either language (case aside); numbers with a comma or a point. A value outside\n"
     "the range is set to the nearest bound with a warning, as in the assistant.\n"
     "  karvel-tool generate STYLE --help   the style's parameters with their defaults,\n"
     "                                      ranges and choices\n"},
    {"lists", "lists FILE [--board N] [--order] [--format text|rtf|csv] [--lang de|en]",
     "die Stückliste (mit --order die Einkaufsliste) und die Drahtbrücken einer Platine",
     "the components list (with --order the order list) and the jumper wires of a board",
     "CSV gibt eine Zeile je Bauteil (mit --order je Art von Teil) und keine Drähte,\n"
     "für Tabellenkalkulationen: eine Zelle, die mit = + - @, Tabulator oder\n"
     "Wagenrücklauf beginnt und keine Zahl ist, bekommt ein Apostroph davor.\n",
     "CSV gives one row per component (per kind of part with --order) and no wires, for\n"
     "spreadsheets: a cell that starts with = + - @, a tab or a carriage return and is no\n"
     "number gets an apostrophe in front.\n"},
    {"help", "help [COMMAND [STYLE]] [--lang de|en]",
     "diese Übersicht, oder die Hilfe eines Befehls", "this overview, or a command's help",
     "Auch: karvel-tool COMMAND --help.\n", "Also: karvel-tool COMMAND --help.\n"},
};

QString Text(Language language, const char* german, const char* english) {
    return Tr(language, QString::fromUtf8(german), QString::fromUtf8(english));
}

const Entry* Find(const QString& command) {
    for (const Entry& entry : Entries)
        if (command == QLatin1String(entry.Name))
            return &entry;
    return nullptr;
}

QString Footer(Language language) {
    return Text(language,
                "FILE darf eine Pipe sein (/dev/stdin). Alle Ausgaben und Meldungen sind\n"
                "englisch, deutsch mit --lang de (Artnamen, Maße, Listen, Parameternamen).\n"
                "Status: 0 erledigt, 1 die Datei oder die Arbeit ist gescheitert, 2 falscher "
                "Aufruf.\n",
                "FILE may be a pipe (/dev/stdin). All output and messages are English, German\n"
                "with --lang de (kind names, measures, lists, parameter names).\n"
                "Exit status: 0 done, 1 the file or the work failed, 2 wrong use.\n");
}

} // namespace

QString GeneralUsage(Language language) {
    QString text = Text(language, "Aufruf: karvel-tool <Befehl> [Argumente]\nBefehle:\n",
                        "usage: karvel-tool <command> [arguments]\ncommands:\n");
    for (const Entry& entry : Entries)
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(QString::fromUtf8(entry.Synopsis),
                         Text(language, entry.GermanSummary, entry.EnglishSummary));
    return text + Footer(language);
}

QString CommandHelp(const QString& command, Language language) {
    const Entry* entry = Find(command);
    if (entry == nullptr)
        return {};
    return Text(language, "Aufruf: karvel-tool ", "usage: karvel-tool ") +
           QString::fromUtf8(entry->Synopsis) + u'\n' +
           Text(language, entry->GermanSummary, entry->EnglishSummary) + QStringLiteral(".\n") +
           Text(language, entry->German, entry->English) + Footer(language);
}

} // namespace karvel::tool
