#pragma once
// An element with a fixed rectangle, whose class name and calls can be chosen and watched:
// enough to exercise the base behaviour every real element builds on.

#include "elements/Bauteil.h"

#include <string>
#include <utility>

namespace karvel::test {

class ProbeElement : public TBauteil {
public:
    explicit ProbeElement(Rect bounds = {}, std::string className = "TProbe",
                          int* destroyed = nullptr)
        : bounds_(bounds), className_(std::move(className)), destroyed_(destroyed) {}
    ~ProbeElement() override {
        if (destroyed_)
            ++*destroyed_;
    }

    std::string_view ClassName() const override { return className_; }
    Rect GetBounds(Canvas&) override { return bounds_; }
    std::optional<Region> CreateRegion(Canvas& canvas) override {
        return Region::FromRect(Normalised(canvas.LPtoDP(bounds_)));
    }
    void MoveBy(int dx, int dy) override {
        moves.emplace_back(dx, dy);
        bounds_ = {bounds_.Left + dx, bounds_.Top + dy, bounds_.Right + dx, bounds_.Bottom + dy};
    }
    void Scale(QPoint origin, double fx, double fy) override {
        TBauteil::Scale(origin, fx, fy);
        scaleOrigin = origin;
        scaleX = fx;
        scaleY = fy;
    }
    void Draw(Canvas& canvas) override {
        ++draws;
        if (!IsOnWorkingSide() && !IsXRayGhost())
            return;
        canvas.SetPen(Stiftfarbe(), 0);
        canvas.SetBrush(Brushfarbe());
        BeginXRayStyle(canvas);
        canvas.DrawRectangle(bounds_);
        EndXRayStyle(canvas);
    }
    int GetContactCount() const override { return int(contactPoints.size()); }
    void FillContacts(std::vector<QPoint*>& contacts) override {
        for (QPoint& p : contactPoints)
            contacts.push_back(&p);
    }
    bool UseBitmap(QImage image) { return AdoptFillBitmap(std::move(image)); }

    static Rect Normalised(Rect r) {
        if (r.Right < r.Left)
            std::swap(r.Left, r.Right);
        if (r.Bottom < r.Top)
            std::swap(r.Top, r.Bottom);
        return r;
    }

    std::vector<std::pair<int, int>> moves;
    QPoint scaleOrigin;
    double scaleX = 0, scaleY = 0;
    int draws = 0;
    std::vector<QPoint> contactPoints;

private:
    Rect bounds_;
    std::string className_;
    int* destroyed_;
};

} // namespace karvel::test
