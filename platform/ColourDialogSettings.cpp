#include "platform/ColourDialogSettings.h"

namespace karvel {

namespace {

QString KeyOf(int index) {
    return QStringLiteral("Color") + QChar(u'A' + index);
}

std::optional<Colour> ParseHexColour(QString text) {
    text = text.trimmed();
    if (text.startsWith(u'$'))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        text.remove(0, 2);
    if (text.isEmpty() || text.size() > 6)
        return std::nullopt;
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    // toUInt takes a sign and blanks; a colour is hex digits alone.
    const bool digitsOnly = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
    });
    if (!ok || !digitsOnly)
        return std::nullopt;
    return Colour(value);
}

} // namespace

QString CustomColoursFile() {
    return QStringLiteral("Colors.dat");
}

CustomColours CustomColoursFromIni(const IniFile& ini) {
    CustomColours colours;
    for (int index = 0; index < int(colours.size()); ++index) {
        const QString text = ini.ReadString(QString(), KeyOf(index));
        colours[index] = ParseHexColour(text).value_or(colours::White);
    }
    return colours;
}

CustomColours ReadCustomColours(const SettingsStore& store) {
    return CustomColoursFromIni(store.Load(CustomColoursFile()));
}

SettingsWriteResult WriteCustomColours(const SettingsStore& store, const CustomColours& colours) {
    return store.Update(CustomColoursFile(), [&](IniFile& ini) {
        for (int index = 0; index < int(colours.size()); ++index) {
            const QString hex =
                QStringLiteral("%1").arg(colours[index] & 0xFFFFFF, 6, 16, QLatin1Char('0'));
            ini.WriteString(QString(), KeyOf(index), hex.toUpper());
        }
    });
}

} // namespace karvel
