#pragma once
// The two-line information display of the "Display" tool bar: white text on grey.

#include <QtWidgets/QWidget>

namespace karvel {

class InfoDisplay : public QWidget {
    Q_OBJECT
public:
    explicit InfoDisplay(QWidget* parent = nullptr);

    void SetLines(const QString& first, const QString& second);
    const QString& First() const { return first_; }
    const QString& Second() const { return second_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont font_;
    QString first_;
    QString second_;
};

} // namespace karvel
