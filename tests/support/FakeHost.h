#pragma once
// A scroll host with plain values, so boards can zoom and scroll without a window.

#include "board/BoardHost.h"

#include <vector>

namespace karvel::test {

class FakeHost : public BoardHost {
public:
    explicit FakeHost(QSize client = {800, 600}) : client_(client) {}

    QPoint ScrollPosition() const override { return scroll_; }
    void SetScrollPosition(QPoint position) override { scroll_ = position; }
    QSize ClientSize() const override { return client_; }
    void SetControlSize(QSize size) override { controlSize = size; }
    void InvalidateRect(const Rect& device, bool) override { invalidated.push_back(device); }
    void Repaint() override { ++repaints; }

    QSize controlSize;
    std::vector<Rect> invalidated;
    int repaints = 0;

private:
    QSize client_;
    QPoint scroll_;
};

} // namespace karvel::test
