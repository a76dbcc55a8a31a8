// lists: the components list or the order list of a board, with its jumper wires, as text,
// RTF or CSV, without a window.

#include "board/ComponentsList.h"
#include "platform/NumberLocale.h"
#include "platform/rtf/RtfDocument.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <cstdio>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>
#include <QtGui/QTextDocument>

namespace karvel::tool {

namespace {

// "-5", "+3", "4,7", "-1.5e3": what a spreadsheet takes as a number and nothing else.
bool IsPlainNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)([eE][+-]?\\d+)?$"));
    return number.match(text).hasMatch();
}

// A cell a spreadsheet would take for a formula ("=1+1", "@SUM(A1)", "-2+3") starts with an
// apostrophe, which shows it as text; numbers stay numbers.
QString Defused(const QString& text) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (text.isEmpty() || !formulaStarts.contains(text.front()) || IsPlainNumber(text))
        return text;
    return u'\'' + text;
}

QString CsvField(const QString& cell) {
    const QString text = Defused(cell);
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvRow(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

// One row per component in the order of the nested list, with its level.
QString ComponentsCsv(const TPlatine& board, Language language) {
    TSListData entries = CollectListEntries(board);
    entries.SortTreeAll();
    QString csv =
        CsvRow({Tr(language, QStringLiteral("Kennung"), QStringLiteral("Identifier")),
                Tr(language, QStringLiteral("Wert"), QStringLiteral("Value")),
                Tr(language, QStringLiteral("Beschreibung"), QStringLiteral("Description")),
                Tr(language, QStringLiteral("Ebene"), QStringLiteral("Level"))});
    for (const TSListEntry& entry : entries.Entries())
        csv += CsvRow({NumberedIdentifier(entry.Identifier, entry.Number), entry.Value,
                       entry.Description, QString::number(entry.Level)});
    return csv;
}

// One row per kind of part to order, in the order of the order list: how many, what, which.
QString OrderCsv(const TPlatine& board, Language language) {
    TSListData entries = CollectListEntries(board);
    entries.SortFlat();
    QString csv =
        CsvRow({Tr(language, QStringLiteral("Anzahl"), QStringLiteral("Count")),
                Tr(language, QStringLiteral("Wert"), QStringLiteral("Value")),
                Tr(language, QStringLiteral("Beschreibung"), QStringLiteral("Description")),
                Tr(language, QStringLiteral("Kennungen"), QStringLiteral("Identifiers"))});
    for (int i = 0; i < entries.Count(); ++i) {
        if (entries.At(i).Done)
            continue;
        const TSListEntry part = entries.At(i);
        QStringList identifiers;
        int count = 0;
        for (int j = i; j < entries.Count(); ++j) {
            TSListEntry& entry = entries.At(j);
            if (entry.Done || entry.Identifier != part.Identifier || entry.Value != part.Value ||
                entry.Description != part.Description)
                continue;
            entry.Done = true;
            ++count;
            const QString identifier = NumberedIdentifier(entry.Identifier, entry.Number);
            if (!identifier.isEmpty())
                identifiers << identifier;
        }
        csv += CsvRow({QString::number(count), part.Value, part.Description,
                       identifiers.join(QStringLiteral(" "))});
    }
    return csv;
}

QByteArray ListOutput(const TPlatine& board, ListKind kind, const QString& format,
                      Language language) {
    if (format == QLatin1String("csv"))
        return (kind == ListKind::Order ? OrderCsv(board, language)
                                        : ComponentsCsv(board, language))
            .toUtf8();
    const ListStamp stamp = CurrentListStamp();
    if (format == QLatin1String("rtf")) {
        QTextDocument document;
        SchreibeStueckliste(board, document, kind, stamp);
        return WriteRtfDocument(document);
    }
    QString text;
    for (const ListLine& line : StuecklistenZeilen(board, kind, stamp))
        text += line.Text + u'\n';
    return text.toUtf8();
}

} // namespace

int Lists(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(
        args,
        {{QStringLiteral("--order")},
         {QStringLiteral("--board"), QStringLiteral("--lang"), QStringLiteral("--format")},
         1,
         1},
        error);
    if (!parsed)
        return UsageError(error);
    const std::optional<Language> language = LanguageOf(*parsed);
    if (!language)
        return BadUse;
    // Lengths are written as the program writes them in that language: "L = 7,62 mm".
    QLocale::setDefault(NumberLocale(*language));
    const QString format = parsed->Has(QStringLiteral("--format"))
                               ? parsed->Value(QStringLiteral("--format"))
                               : QStringLiteral("text");
    if (format != QLatin1String("text") && format != QLatin1String("rtf") &&
        format != QLatin1String("csv"))
        return UsageError(Say("unbekanntes Format '%1' (text, rtf oder csv)",
                              "unknown format '%1' (text, rtf or csv)")
                              .arg(format));
    const Language messages = MessageLanguageOf(*parsed);
    ViewState view = MakeView(*language);
    int status = Ok;
    const QString path = parsed->Positional().front();
    std::optional<ProjectLoad> load = LoadProject(path, view, messages, status);
    if (!load)
        return status;
    if (load->Error) {
        PrintError(load->Error->Message(messages));
        return Failed;
    }
    TPlatine* board = ChooseBoard(*parsed, *load, status);
    if (board == nullptr)
        return status;
    board->SetDateiname(QFileInfo(path).absoluteFilePath());
    const ListKind kind =
        parsed->Has(QStringLiteral("--order")) ? ListKind::Order : ListKind::Components;
    const QByteArray output = ListOutput(*board, kind, format, *language);
    return WriteToStandardOutput(output, messages) ? Ok : Failed;
}

} // namespace karvel::tool
