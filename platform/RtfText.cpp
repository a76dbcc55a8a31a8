#include "platform/RtfText.h"

#include "platform/CodePage.h"

#include <vector>

namespace karvel {

QByteArray PlainTextToRtf(const QString& text) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n') {
            out += "\\par\r\n";
        } else if (u == '\r') {
            continue;
        } else if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (const auto byte = UnicodeToWindows1252(u); byte && *byte >= 0x80) {
            out += "\\'" + QByteArray::number(*byte, 16).rightJustified(2, '0');
        } else {
            // Outside the code page: a Unicode escape with '?' for readers that cannot use it.
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    out += "\\par\r\n}\r\n";
    return out;
}

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Groups whose content is not text (tables, pictures, document information).
bool IsSkippedDestination(const QByteArray& word) {
    static const char* const skipped[] = {
        "fonttbl",   "colortbl",  "stylesheet", "info",        "pict",
        "object",    "header",    "footer",     "listtable",   "listoverridetable",
        "generator", "themedata", "datastore",  "latentstyles"};
    for (const char* name : skipped)
        if (word == name)
            return true;
    return false;
}

} // namespace

QString RtfToPlainText(const QByteArray& rtf) {
    if (!rtf.trimmed().startsWith("{\\rtf"))
        return DecodeWindows1252(rtf);
    QString text;
    // Per open group: whether its content is skipped, and the \ucN count in force.
    struct Group {
        bool skip;
        int unicodeSkip;
    };
    std::vector<Group> groups{{false, 1}};
    int pendingSkip = 0; // fallback characters still to drop after a \u escape
    const qsizetype n = rtf.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = rtf[i];
        Group& g = groups.back();
        if (c == '{') {
            groups.push_back(g);
            continue;
        }
        if (c == '}') {
            if (groups.size() > 1)
                groups.pop_back();
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        if (c != '\\') {
            if (pendingSkip > 0)
                --pendingSkip;
            else if (!g.skip)
                text += Windows1252ToUnicode(static_cast<unsigned char>(c));
            continue;
        }
        if (++i >= n)
            break;
        const char s = rtf[i];
        if (s == '\\' || s == '{' || s == '}') {
            if (pendingSkip > 0)
                --pendingSkip;
            else if (!g.skip)
                text += QLatin1Char(s);
            continue;
        }
        if (s == '*') {
            g.skip = true; // an optional destination we do not know
            continue;
        }
        if (s == '\'') {
            if (i + 2 < n) {
                bool ok = false;
                const int byte = rtf.mid(i + 1, 2).toInt(&ok, 16);
                i += 2;
                if (pendingSkip > 0)
                    --pendingSkip;
                else if (ok && !g.skip)
                    text += Windows1252ToUnicode(static_cast<unsigned char>(byte));
            }
            continue;
        }
        if (!IsLetter(s)) {
            if (s == '~' && !g.skip)
                text += QChar(0x00A0);
            continue;
        }
        qsizetype start = i;
        while (i < n && IsLetter(rtf[i]))
            ++i;
        const QByteArray word = rtf.mid(start, i - start);
        qsizetype numberStart = i;
        if (i < n && rtf[i] == '-')
            ++i;
        while (i < n && rtf[i] >= '0' && rtf[i] <= '9' && i - numberStart < 10)
            ++i;
        const QByteArray number = rtf.mid(numberStart, i - numberStart);
        if (i < n && rtf[i] != ' ')
            --i; // the delimiter belongs to what follows
        if (IsSkippedDestination(word)) {
            g.skip = true;
        } else if (word == "par" || word == "line" || word == "row") {
            if (!g.skip)
                text += QLatin1Char('\n');
        } else if (word == "tab" || word == "cell") {
            if (!g.skip)
                text += QLatin1Char('\t');
        } else if (word == "uc") {
            g.unicodeSkip = std::clamp(number.toInt(), 0, 8);
        } else if (word == "u") {
            int code = number.toInt();
            if (code < 0)
                code += 65536;
            if (!g.skip)
                text += QChar(char16_t(code));
            pendingSkip = g.unicodeSkip;
        }
    }
    // The document's closing paragraph mark is not part of the text.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace karvel
