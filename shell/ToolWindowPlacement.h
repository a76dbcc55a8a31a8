#pragma once
// Where a tool window stands: docked in the top or bottom dock bar, or floating at a screen
// position; as the settings store it under the window's caption.

#include <QtCore/QPoint>
#include <QtCore/QString>

namespace karvel {

struct ToolWindowPlacement {
    enum class Dock { Top, Bottom, Floating };

    Dock Where = Dock::Floating;
    QPoint Position{100, 100};
    bool Visible = true;

    // From the stored values: "parent" is "Top_ControlBar", "Bottom_ControlBar" or anything
    // else for floating.
    static ToolWindowPlacement FromStored(const QString& parent, int left, int top, bool visible) {
        ToolWindowPlacement placement;
        if (parent.compare(QStringLiteral("Top_ControlBar"), Qt::CaseInsensitive) == 0)
            placement.Where = Dock::Top;
        else if (parent.compare(QStringLiteral("Bottom_ControlBar"), Qt::CaseInsensitive) == 0)
            placement.Where = Dock::Bottom;
        placement.Position = {left, top};
        placement.Visible = visible;
        return placement;
    }
    // The "parent" value to store.
    QString StoredParent() const {
        switch (Where) {
        case Dock::Top:
            return QStringLiteral("Top_ControlBar");
        case Dock::Bottom:
            return QStringLiteral("Bottom_ControlBar");
        case Dock::Floating:
            break;
        }
        return QStringLiteral("none");
    }
};

} // namespace karvel
