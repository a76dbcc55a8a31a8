#pragma once
// A settings file in the INI form the program's folders hold: Windows-1252 text (or UTF-8, with
// or without a byte order mark, as editors of other systems save it), sections and keys found
// regardless of case, values taken raw, and every line the program does not change written
// back byte for byte, comments and order included.

#include "platform/Colour.h"

#include <optional>
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <utility>
#include <vector>

namespace karvel {

class IniFile {
public:
    // Settings files are a few hundred bytes; anything this large is not one of ours.
    static constexpr qint64 MaxFileSize = qint64(1) << 20;

    using Entries = std::vector<std::pair<QString, QString>>;

    IniFile() = default;
    // A missing file gives an empty settings file without an error; a file that cannot be read
    // or is too large gives an empty one with Error() set, and Save() then refuses to replace it.
    static IniFile Load(const QString& path);
    static IniFile FromBytes(const QByteArray& bytes, const QString& path = {});

    const QString& Path() const { return path_; }
    bool Existed() const { return existed_; }
    // Why the last load or save failed; empty when it did not.
    const QString& Error() const { return error_; }
    bool IsUtf8() const { return m_utf8; }
    bool HasByteOrderMark() const { return byteOrderMark_; }

    QByteArray ToBytes() const;
    bool Save();
    // Writes atomically: the old file stays as it was when writing fails.
    bool SaveAs(const QString& path);

    // Lines before the first section header belong to the section named "".
    QStringList Sections() const;
    bool HasSection(const QString& section) const;
    QStringList Keys(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // The first entry of the key wins when a file holds it twice.
    std::optional<QString> Value(const QString& section, const QString& key) const;

    QString ReadString(const QString& section, const QString& key,
                       const QString& fallback = {}) const;
    // Text that is not a whole number in 32 bits gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // Any integer other than 0 is true.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    // Takes a decimal point or a decimal comma, as files of either number format hold.
    double ReadFloat(const QString& section, const QString& key, double fallback) const;
    // The integer of a 0x00BBGGRR colour; anything outside 0..0xFFFFFF gives the fallback.
    Colour ReadColour(const QString& section, const QString& key, Colour fallback) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteFloat(const QString& section, const QString& key, double value);
    void WriteColour(const QString& section, const QString& key, Colour value);
    // Replaces the section's entries by these, in this order, where the section stands.
    void WriteSection(const QString& section, const Entries& entries);
    void EraseSection(const QString& section);

private:
    enum class LineKind { Other, Section, Entry };
    struct Line {
        QByteArray raw; // as read, without the line break; rewritten only when the line changes
        LineKind kind = LineKind::Other;
        QString name; // section name or key
        QString value;
    };
    struct Range {
        int begin; // the header, or 0 for the lines before the first header
        int end;
        bool hasHeader;
    };

    static Line ParseLine(const QByteArray& raw, bool utf8);
    Line MakeLine(const QString& text);
    void SwitchToUtf8();
    std::vector<Range> RangesOf(const QString& section) const;
    std::optional<int> FindEntry(const QString& section, const QString& key) const;
    int InsertPosition(const Range& range) const;
    void InsertEntry(const QString& section, const QString& key, const QString& value);

    std::vector<Line> lines_;
    QString path_;
    QString error_;
    QByteArray lineBreak_ = "\r\n";
    bool m_utf8 = false;
    bool byteOrderMark_ = false;
    bool existed_ = false;
    bool unread_ = false; // the file at path_ exists but was not read: never overwrite it
};

} // namespace karvel
