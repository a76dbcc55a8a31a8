#pragma once
// The on-screen control of a board: it forwards paint, wheel and mouse events to its TPlatine
// and draws nothing of its own.

#include <QtWidgets/QWidget>

namespace karvel {

class TPlatine;

class BoardControl : public QWidget {
    Q_OBJECT
public:
    explicit BoardControl(TPlatine& board, QWidget* parent = nullptr);

    TPlatine& Board() const { return board_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TPlatine& board_;
};

} // namespace karvel
