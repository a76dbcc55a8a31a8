#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/encoding/CodePage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QStringDecoder>

namespace karvel {

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Only spaces and tabs: a no-break space (0xA0 in Windows-1252) belongs to the value.
QStringView TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value enclosed in a matching pair of quotes means the text between them.
QString Unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

bool AllDigits(QStringView text, int base) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const bool decimal = c >= u'0' && c <= u'9';
        const bool hex = (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!decimal && !(base == 16 && hex))
            return false;
    }
    return true;
}

// Decimal, or hexadecimal after "$" or "0x", with an optional sign; nothing else around it.
std::optional<qint64> ParseWhole(QStringView text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    // Sixteen digits already overflow what a setting can hold; refuse before converting.
    if (!AllDigits(text, base) || text.size() > 16)
        return std::nullopt;
    bool ok = false;
    const qulonglong magnitude = text.toULongLong(&ok, base);
    if (!ok || magnitude > qulonglong(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return negative ? -qint64(magnitude) : qint64(magnitude);
}

std::optional<int> ParseInteger(QStringView text) {
    const std::optional<qint64> value = ParseWhole(text);
    if (!value || *value < std::numeric_limits<int>::min() ||
        *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*value);
}

bool IsFloatCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' ||
           c == u'E';
}

std::optional<double> ParseFloat(QStringView view) {
    QString text = TrimBlanks(view).toString();
    if (text.contains(u',')) {
        if (text.contains(u'.') || text.count(u',') > 1)
            return std::nullopt;
        text.replace(u',', u'.');
    }
    if (text.isEmpty() || !std::all_of(text.cbegin(), text.cend(), IsFloatCharacter))
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool FitsWindows1252(QStringView text) {
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.cbegin(), characters.cend(),
                       [](uint c) { return UnicodeToWindows1252(char32_t(c)).has_value(); });
}

QString Decode(const QByteArray& raw, bool utf8) {
    return utf8 ? QString::fromUtf8(raw) : DecodeWindows1252(raw);
}

QByteArray Encode(const QString& text, bool utf8) {
    return utf8 ? text.toUtf8() : EncodeWindows1252(text);
}

// Text without a byte order mark is UTF-8 when it holds multi-byte sequences and nothing that
// is not UTF-8; Windows-1252 text with umlauts or "€" is never valid UTF-8 in practice.
bool LooksLikeUtf8(QByteArrayView bytes) {
    const bool multiByte =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (!multiByte)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError() && !text.isEmpty();
}

bool IsBlankLine(const QByteArray& raw) {
    return raw.trimmed().isEmpty();
}

} // namespace

IniFile IniFile::FromBytes(const QByteArray& bytes, const QString& path) {
    IniFile ini;
    ini.path_ = path;
    QByteArrayView content(bytes);
    if (content.startsWith(Utf8Bom)) {
        ini.m_utf8 = true;
        ini.byteOrderMark_ = true;
        content = content.sliced(Utf8Bom.size());
    } else {
        ini.m_utf8 = LooksLikeUtf8(content);
    }
    const qsizetype firstBreak = content.indexOf('\n');
    if (firstBreak >= 0)
        ini.lineBreak_ = firstBreak > 0 && content[firstBreak - 1] == '\r' ? "\r\n" : "\n";
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        QByteArrayView raw = content.sliced(start, end - start);
        if (raw.endsWith('\r'))
            raw.chop(1);
        ini.lines_.push_back(ParseLine(raw.toByteArray(), ini.m_utf8));
        start = end + 1;
    }
    return ini;
}

IniFile IniFile::Load(const QString& path) {
    IniFile empty;
    empty.path_ = path;
    const QFileInfo info(path);
    if (!info.exists())
        return empty;
    empty.existed_ = true;
    empty.unread_ = true;
    // A FIFO or device would block or never end; only regular files are settings files.
    if (!info.isFile()) {
        empty.error_ = QStringLiteral("%1 is not a regular file").arg(path);
        return empty;
    }
    if (info.size() > MaxFileSize) {
        empty.error_ = QStringLiteral("%1 is larger than %2 bytes and was not read")
                           .arg(path)
                           .arg(MaxFileSize);
        return empty;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        empty.error_ = QStringLiteral("%1: %2").arg(path, file.errorString());
        return empty;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize || file.error() != QFileDevice::NoError) {
        empty.error_ = QStringLiteral("%1 could not be read").arg(path);
        return empty;
    }
    IniFile ini = FromBytes(bytes, path);
    ini.existed_ = true;
    return ini;
}

IniFile::Line IniFile::ParseLine(const QByteArray& raw, bool utf8) {
    Line line;
    line.raw = raw;
    const QString text = Decode(raw, utf8);
    const QStringView trimmed = TrimBlanks(text);
    if (trimmed.isEmpty() || trimmed.front() == u';' || trimmed.front() == u'#')
        return line;
    if (trimmed.front() == u'[') {
        const qsizetype close = trimmed.indexOf(u']');
        const QStringView name = close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
        line.kind = LineKind::Section;
        line.name = TrimBlanks(name).toString();
        return line;
    }
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals < 0)
        return line;
    line.kind = LineKind::Entry;
    line.name = TrimBlanks(trimmed.left(equals)).toString();
    line.value = TrimBlanks(trimmed.mid(equals + 1)).toString();
    return line;
}

IniFile::Line IniFile::MakeLine(const QString& text) {
    // A line break inside a value would start a line of its own, even a section header.
    QString oneLine = text;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    if (!m_utf8 && !FitsWindows1252(oneLine))
        SwitchToUtf8();
    return ParseLine(Encode(oneLine, m_utf8), m_utf8);
}

// A value Windows-1252 cannot hold (most file names of other scripts) would come back as "?";
// the file keeps every character from then on as UTF-8, marked by its byte order mark.
void IniFile::SwitchToUtf8() {
    for (Line& line : lines_)
        line.raw = DecodeWindows1252(line.raw).toUtf8();
    m_utf8 = true;
    byteOrderMark_ = true;
}

QByteArray IniFile::ToBytes() const {
    QByteArray bytes = byteOrderMark_ ? Utf8Bom : QByteArray();
    for (const Line& line : lines_) {
        bytes += line.raw;
        bytes += lineBreak_;
    }
    return bytes;
}

bool IniFile::Save() {
    return SaveAs(path_);
}

bool IniFile::SaveAs(const QString& path) {
    if (path.isEmpty()) {
        error_ = QStringLiteral("no file name to save the settings to");
        return false;
    }
    if (unread_ && QFileInfo(path) == QFileInfo(path_)) {
        error_ = QStringLiteral("%1 was not read and is left as it is").arg(path);
        return false;
    }
    if (const QString reason = WriteFileAtomically(path, ToBytes()); !reason.isEmpty()) {
        error_ = QStringLiteral("%1: %2").arg(path, reason);
        return false;
    }
    path_ = path;
    error_.clear();
    existed_ = true;
    unread_ = false;
    return true;
}

std::vector<IniFile::Range> IniFile::RangesOf(const QString& section) const {
    std::vector<Range> ranges;
    const int count = int(lines_.size());
    int begin = 0;
    bool hasHeader = false;
    // Each header, and the end of the file, closes the range that began before it.
    for (int i = 0; i <= count; ++i) {
        if (i < count && lines_[i].kind != LineKind::Section)
            continue;
        const QString name = hasHeader ? lines_[begin].name : QString();
        if (SameName(name, section))
            ranges.push_back({begin, i, hasHeader});
        begin = i;
        hasHeader = true;
    }
    return ranges;
}

std::optional<int> IniFile::FindEntry(const QString& section, const QString& key) const {
    for (const Range& range : RangesOf(section)) {
        for (int i = range.begin; i < range.end; ++i) {
            if (lines_[i].kind == LineKind::Entry && SameName(lines_[i].name, key))
                return i;
        }
    }
    return std::nullopt;
}

// After the section's last entry; without entries after its last non-blank line, so that a
// blank line separating it from the next section stays below.
int IniFile::InsertPosition(const Range& range) const {
    int afterEntry = -1;
    int afterText = range.hasHeader ? range.begin + 1 : range.begin;
    for (int i = range.begin; i < range.end; ++i) {
        if (lines_[i].kind == LineKind::Entry)
            afterEntry = i + 1;
        else if (!IsBlankLine(lines_[i].raw))
            afterText = i + 1;
    }
    return afterEntry >= 0 ? afterEntry : afterText;
}

void IniFile::InsertEntry(const QString& section, const QString& key, const QString& value) {
    const Line entry = MakeLine(key + u'=' + value);
    const std::vector<Range> ranges = RangesOf(section);
    if (!ranges.empty()) {
        lines_.insert(lines_.begin() + InsertPosition(ranges.front()), entry);
        return;
    }
    if (!lines_.empty() && !IsBlankLine(lines_.back().raw))
        lines_.push_back(Line{});
    lines_.push_back(MakeLine(u'[' + section + u']'));
    lines_.push_back(entry);
}

QStringList IniFile::Sections() const {
    QStringList names;
    for (const Line& line : lines_) {
        if (line.kind == LineKind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

bool IniFile::HasSection(const QString& section) const {
    return std::any_of(lines_.cbegin(), lines_.cend(), [&](const Line& line) {
        return line.kind == LineKind::Section && SameName(line.name, section);
    });
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList keys;
    for (const Range& range : RangesOf(section)) {
        for (int i = range.begin; i < range.end; ++i) {
            const Line& line = lines_[i];
            if (line.kind == LineKind::Entry && !keys.contains(line.name, Qt::CaseInsensitive))
                keys.append(line.name);
        }
    }
    return keys;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return FindEntry(section, key).has_value();
}

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const {
    const std::optional<int> index = FindEntry(section, key);
    if (!index)
        return std::nullopt;
    return Unquoted(lines_[*index].value);
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& fallback) const {
    return Value(section, key).value_or(fallback);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    const std::optional<QString> text = Value(section, key);
    return text ? ParseInteger(*text).value_or(fallback) : fallback;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

double IniFile::ReadFloat(const QString& section, const QString& key, double fallback) const {
    const std::optional<QString> text = Value(section, key);
    return text ? ParseFloat(*text).value_or(fallback) : fallback;
}

Colour IniFile::ReadColour(const QString& section, const QString& key, Colour fallback) const {
    const std::optional<QString> text = Value(section, key);
    const std::optional<qint64> value = text ? ParseWhole(*text) : std::nullopt;
    if (!value || *value < 0 || *value > 0xFFFFFF)
        return fallback;
    return Colour(*value);
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const std::optional<int> index = FindEntry(section, key);
    if (!index) {
        InsertEntry(section, key, value);
        return;
    }
    // The key keeps the spelling the file gave it.
    const QString name = lines_[*index].name;
    lines_[*index] = MakeLine(name + u'=' + value);
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest));
}

void IniFile::WriteColour(const QString& section, const QString& key, Colour value) {
    WriteString(section, key, QString::number(value & 0xFFFFFF));
}

void IniFile::WriteSection(const QString& section, const Entries& entries) {
    const std::vector<Range> ranges = RangesOf(section);
    if (ranges.empty()) {
        for (const auto& [key, value] : entries)
            WriteString(section, key, value);
        return;
    }
    int position = InsertPosition(ranges.front());
    for (int i = ranges.front().begin; i < ranges.front().end; ++i) {
        if (lines_[i].kind == LineKind::Entry) {
            position = i;
            break;
        }
    }
    std::vector<int> stale;
    for (const Range& range : ranges) {
        for (int i = range.begin; i < range.end; ++i) {
            if (lines_[i].kind == LineKind::Entry)
                stale.push_back(i);
        }
    }
    for (auto it = stale.rbegin(); it != stale.rend(); ++it) {
        lines_.erase(lines_.begin() + *it);
        if (*it < position)
            --position;
    }
    std::vector<Line> fresh;
    for (const auto& [key, value] : entries)
        fresh.push_back(MakeLine(key + u'=' + value));
    lines_.insert(lines_.begin() + position, fresh.begin(), fresh.end());
}

void IniFile::EraseSection(const QString& section) {
    const std::vector<Range> ranges = RangesOf(section);
    for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
        if (range->hasHeader) {
            lines_.erase(lines_.begin() + range->begin, lines_.begin() + range->end);
            continue;
        }
        // The lines before the first header have no header to go with; only their entries go.
        for (int i = range->end - 1; i >= range->begin; --i) {
            if (lines_[i].kind == LineKind::Entry)
                lines_.erase(lines_.begin() + i);
        }
    }
}

} // namespace karvel
