#pragma once
// What a board says about itself as text: the components list (every component, nested ones
// framed and indented under the one that holds them) or the order list (equal components
// counted), each followed by the jumper wires with their end holes. The lines are built once
// and then written into a rich-text document, as plain text or as CSV.

#include "elements/slData.h"

#include <QtCore/QDateTime>
#include <QtCore/QString>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace karvel {

class TPlatine;

enum class ListKind { Components = 0, Order = 1 };

// When and by whom a list was made; an empty user stands for an account without a name.
struct ListStamp {
    QDateTime When;
    QString User;
};
// Now, by the account running the program.
ListStamp CurrentListStamp();

// How a line looks: the heading, the regular lines, the bold heading of the wires.
enum class ListStyle { Heading, Regular, Bold };

struct ListLine {
    QString Text;
    ListStyle Style = ListStyle::Regular;
    bool operator==(const ListLine&) const = default;
};

// The board's components in drawing order, nested ones right after the one holding them, with
// their levels: components listed at all and no plain groups.
TSListData CollectListEntries(const TPlatine& board);

// The components list or the order list of a board, in the board's language.
std::vector<ListLine> StuecklistenZeilen(const TPlatine& board, ListKind kind,
                                         const ListStamp& stamp);

// Appends the lines to the document: the heading bold at 15 points, the rest at 8 points.
void SchreibeStueckliste(const TPlatine& board, QTextDocument& document, ListKind kind,
                         const ListStamp& stamp);

// Puts the list at the cursor in place of its selection, in lines of its own: text before and
// after the cursor stays on the lines before and after the list.
// The system clipboard is left alone.
void FuegeStuecklisteEin(const TPlatine& board, QTextCursor& cursor, ListKind kind,
                         const ListStamp& stamp);

// The identifier as the lists show it: the part before the first "#" followed by the number,
// or the identifier as it is when it has no "#".
QString NumberedIdentifier(const QString& identifier, int number);

} // namespace karvel
