#pragma once
// The board area of the main window: the two rulers, the stack of board views (one scroll box
// per board), the row of board tabs and the invisible focus sink.

#include <QtWidgets/QWidget>

class QStackedWidget;
class QTabBar;

namespace karvel {

class Ruler;
class TScrollBoxEx;

class BoardArea : public QWidget {
    Q_OBJECT
public:
    explicit BoardArea(QWidget* parent = nullptr);

    Ruler& HorizontalRuler() const { return *horizontal_; }
    Ruler& VerticalRuler() const { return *vertical_; }
    QTabBar& Tabs() const { return *tabs_; }
    QWidget& FocusSink() const { return *focusSink_; }

    void AddView(TScrollBoxEx& view);
    void ShowView(TScrollBoxEx& view);
    void SetRulersVisible(bool visible);
    bool RulersVisible() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Ruler* horizontal_;
    Ruler* vertical_;
    QWidget* corner_;
    QStackedWidget* stack_;
    QTabBar* tabs_;
    QWidget* focusSink_;
};

} // namespace karvel
