#include "board/ComponentsList.h"

#include "board/Platine.h"
#include "elements/Draht.h"
#include "elements/Gruppe.h"
#include "platform/AccountName.h"
#include "platform/NumberLocale.h"

#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextDocumentFragment>

namespace karvel {

namespace {

constexpr int IdentifiersPerLine = 10;
constexpr double HeadingPoints = 15.0; // 20 screen pixels at 96 pixels per inch
constexpr double RegularPoints = 8.0;  // 10 screen pixels

// Levels as the nested list counts them: a listed component one deeper than the component
// holding it. A plain group and a component left out of the list stay on the level of what holds
// them, so that what they hold is not shown inside an unrelated component before it.
void CollectGroup(const TGruppe& group, int outerLevel, std::vector<TSListEntry>& entries) {
    const bool listed =
        group.BauteilTyp == TBauteilTyp::btGruppe && group.IsComponent && group.InComponentsList;
    const int level = listed ? outerLevel + 1 : outerLevel;
    if (listed)
        entries.push_back(TSListEntry::Make(group.Identifier, group.Value, group.Description,
                                            group.Number, level));
    for (const auto& member : group.Members())
        if (const auto* inner = dynamic_cast<const TGruppe*>(member.get()))
            CollectGroup(*inner, level, entries);
}

void CollectWires(const std::vector<std::unique_ptr<TBauteil>>& elements,
                  std::vector<const TDraht*>& wires) {
    for (const auto& element : elements) {
        if (const auto* group = dynamic_cast<const TGruppe*>(element.get()))
            CollectWires(group->Members(), wires);
        else if (element->BauteilTyp == TBauteilTyp::btDraht)
            if (const auto* wire = dynamic_cast<const TDraht*>(element.get()))
                wires.push_back(wire);
    }
}

QString ValueSuffix(const TSListEntry& entry) {
    return entry.Value.isEmpty() ? QString() : QStringLiteral(", ") + entry.Value;
}

class LineCollector {
public:
    explicit LineCollector(const ViewState& view) : view_(view) {}

    void Add(QString text, ListStyle style = ListStyle::Regular) {
        lines_.push_back({std::move(text), style});
    }
    void Empty() { Add({}); }
    QString Tr(const char* german, const char* english) const {
        return view_.Tr(QString::fromUtf8(german), QString::fromUtf8(english));
    }
    std::vector<ListLine> Take() { return std::move(lines_); }

private:
    const ViewState& view_;
    std::vector<ListLine> lines_;
};

void AddHeader(const TPlatine& board, ListKind kind, const ListStamp& stamp, LineCollector& out) {
    const QString title = kind == ListKind::Components
                              ? out.Tr("Stückliste für ", "Components list for ")
                              : out.Tr("Einkaufsliste für ", "Order list for ");
    out.Add(title + board.PlatinenName(), ListStyle::Heading);
    out.Empty();
    out.Add(out.Tr("Projekt: ", "Project: ") + board.Dateiname());
    const Language language = board.View().Sprache;
    out.Add(out.Tr("Erstellt am ", "Created on ") + FormatDate(stamp.When.date(), language) +
            out.Tr(" um ", " at ") + FormatTime(stamp.When.time(), language));
    const QString user = stamp.User.isEmpty() ? out.Tr("(Unbekannt)", "(Unknown)") : stamp.User;
    out.Add(out.Tr("von ", "by ") + user);
    out.Empty();
}

void AddComponentLines(TSListData entries, LineCollector& out) {
    entries.SortTreeAll();
    for (int i = 0; i < entries.Count(); ++i) {
        const TSListEntry& entry = entries.At(i);
        const bool sub = entries.SubtreeSize(i) > 0;
        QString line = sub ? QStringLiteral(">>> ") : QString();
        line += NumberedIdentifier(entry.Identifier, entry.Number);
        if (line.isEmpty())
            line = QStringLiteral("-");
        line += sub ? QStringLiteral(" - ") : QStringLiteral("\t");
        line += entry.Description + ValueSuffix(entry);
        if (sub)
            line += QStringLiteral(" <<<");
        line.prepend(QString(std::max(entry.Level, 0), QLatin1Char('\t')));
        out.Add(line);
        if (i + 1 < entries.Count() && entries.SubtreeSize(i + 1) > 0)
            out.Empty();
    }
}

bool SamePart(const TSListEntry& a, const TSListEntry& b) {
    return a.Identifier == b.Identifier && a.Value == b.Value && a.Description == b.Description;
}

// All entries equal to the first one not yet done: their identifiers ten to a line, then the
// count with the description.
void AddOrderGroup(TSListData& entries, const TSListEntry& part, LineCollector& out) {
    QString line;
    int count = 0;
    for (int i = 0; i < entries.Count(); ++i) {
        TSListEntry& entry = entries.At(i);
        if (entry.Done || !SamePart(entry, part))
            continue;
        line += NumberedIdentifier(entry.Identifier, entry.Number);
        if (!line.isEmpty())
            line += QLatin1Char(',');
        entry.Done = true;
        if (++count % IdentifiersPerLine == 0) {
            out.Add(line);
            line.clear();
        }
    }
    if (line.endsWith(QLatin1Char(',')))
        line.chop(1);
    if (!line.isEmpty())
        out.Add(line);
    out.Add(QString::number(count) + QStringLiteral("x\t") + part.Description + ValueSuffix(part));
    out.Empty();
}

void AddOrderLines(TSListData entries, LineCollector& out) {
    entries.SortFlat();
    for (int i = 0; i < entries.Count(); ++i) {
        if (entries.At(i).Done)
            continue;
        const TSListEntry part = entries.At(i);
        AddOrderGroup(entries, part, out);
    }
}

QString HoleText(QPoint hole) {
    return QStringLiteral("(%1/%2)").arg(hole.x()).arg(hole.y());
}

void AddWireLines(const TPlatine& board, LineCollector& out) {
    out.Empty();
    out.Add(out.Tr("Drahtbrücken:", "Jumper wires:"), ListStyle::Bold);
    out.Empty();
    std::vector<const TDraht*> wires;
    CollectWires(board.Bauteile(), wires);
    const QPoint origin = board.OriginHole();
    for (const TDraht* wire : wires) {
        if (wire->Anchors.empty())
            continue;
        const QPoint a = wire->Anchors.front() - origin;
        const QPoint b = wire->Anchors.back() - origin;
        if (a == b)
            continue;
        out.Add(HoleText(a) + u'\t' + HoleText(b) + u'\t' + wire->GetKindName() +
                QStringLiteral("; ") + wire->GetMeasureText());
    }
}

QTextCharFormat FormatOf(ListStyle style) {
    QTextCharFormat format;
    format.setFontWeight(style == ListStyle::Regular ? QFont::Normal : QFont::Bold);
    format.setFontPointSize(style == ListStyle::Heading ? HeadingPoints : RegularPoints);
    return format;
}

} // namespace

QString NumberedIdentifier(const QString& identifier, int number) {
    const qsizetype hash = identifier.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return identifier;
    return identifier.left(hash) + QString::number(number);
}

ListStamp CurrentListStamp() {
    return {QDateTime::currentDateTime(), AccountFullName().value_or(QString())};
}

TSListData CollectListEntries(const TPlatine& board) {
    std::vector<TSListEntry> entries;
    for (const auto& element : board.Bauteile())
        if (element->BauteilTyp == TBauteilTyp::btGruppe)
            if (const auto* group = dynamic_cast<const TGruppe*>(element.get()))
                CollectGroup(*group, -1, entries);
    return TSListData(std::move(entries));
}

std::vector<ListLine> StuecklistenZeilen(const TPlatine& board, ListKind kind,
                                         const ListStamp& stamp) {
    LineCollector out(board.View());
    AddHeader(board, kind, stamp, out);
    if (kind == ListKind::Components)
        AddComponentLines(CollectListEntries(board), out);
    else
        AddOrderLines(CollectListEntries(board), out);
    AddWireLines(board, out);
    return out.Take();
}

void SchreibeStueckliste(const TPlatine& board, QTextDocument& document, ListKind kind,
                         const ListStamp& stamp) {
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    // A line is added as a paragraph of its own; an empty document takes the first one in
    // its only, empty paragraph.
    bool first = document.isEmpty();
    cursor.beginEditBlock();
    for (const ListLine& line : StuecklistenZeilen(board, kind, stamp)) {
        const QTextCharFormat format = FormatOf(line.Style);
        if (!first)
            cursor.insertBlock(QTextBlockFormat(), format);
        else
            cursor.setBlockFormat(QTextBlockFormat());
        first = false;
        cursor.setBlockCharFormat(format);
        cursor.insertText(line.Text, format);
    }
    cursor.endEditBlock();
}

void FuegeStuecklisteEin(const TPlatine& board, QTextCursor& cursor, ListKind kind,
                         const ListStamp& stamp) {
    QTextDocument list;
    list.setDefaultFont(cursor.document()->defaultFont());
    SchreibeStueckliste(board, list, kind, stamp);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    // The list stands in lines of its own, also when the caret is inside a line.
    if (!cursor.atBlockStart())
        cursor.insertBlock();
    cursor.insertFragment(QTextDocumentFragment(&list));
    if (!cursor.atBlockEnd())
        cursor.insertBlock();
    cursor.endEditBlock();
}

} // namespace karvel
