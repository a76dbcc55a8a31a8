#pragma once
// The ruler above the rich-text editor: tick marks at the default tab stops and three markers
// for the indents of the paragraph at the caret — the first line's start (pointing down, at the
// top), the further lines' start and the right indent (pointing up, at the bottom). Dragging a
// marker sets its indent when the mouse button is released.

#include <functional>
#include <optional>
#include <QtWidgets/QWidget>

class QTextBlockFormat;

namespace karvel {

// The indents in points as the ruler counts them: where the first line starts, where the
// further lines start measured from the first line, and the right indent.
struct RulerIndents {
    int First = 0;
    int Left = 0;
    int Right = 0;
    bool operator==(const RulerIndents&) const = default;
};

RulerIndents IndentsOf(const QTextBlockFormat& format);
// Sets the left margin, first-line indent and right margin of a paragraph format.
void ApplyIndents(const RulerIndents& indents, QTextBlockFormat& format);

// Where the markers stand and what their places mean, in pixels from the left edge of the
// text's client area (4/3 pixels to the point); width is that area's width.
int FirstMarkerLeft(const RulerIndents& indents);
int LeftMarkerLeft(const RulerIndents& indents);
int RightMarkerLeft(const RulerIndents& indents, int width);
int FirstIndentAt(int markerLeft, int offset);
int LeftIndentAt(int markerLeft, int offset, int firstIndent);
int RightIndentAt(int markerLeft, int offset, int width);

class EditorRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int Height = 26;
    static constexpr int MarkerWidth = 9;
    // The default tab stops the tick marks show, in pixels.
    static constexpr int TabDistance = 48;
    // Where the text starts inside the client area.
    static constexpr int TextMargin = 6;

    enum class Marker { First, Left, Right };

    explicit EditorRuler(QWidget* parent = nullptr);

    // Places the markers for a paragraph; ignored while a marker is dragged.
    void SetIndents(const RulerIndents& indents);
    const RulerIndents& Indents() const { return indents_; }
    // Where the text's client area lies, in the ruler's own pixels.
    void SetTextArea(int left, int width);
    int MarkerLeft(Marker marker) const;
    // The marker's rectangle in the ruler's own pixels.
    QRect MarkerRect(Marker marker) const;
    bool Dragging() const { return dragged_.has_value(); }

    // Told when a released marker gives new indents.
    std::function<void(const RulerIndents&)> OnIndentsChosen;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PlaceMarkers();
    void MoveDragged(int x);
    int& LeftOf(Marker marker);
    RulerIndents ReleasedIndents(Marker marker) const;

    RulerIndents indents_;
    int areaLeft_ = 0;
    int areaWidth_ = 0;
    int firstLeft_ = 0;
    int leftLeft_ = 0;
    int rightLeft_ = 0;
    std::optional<Marker> dragged_;
    int offset_ = 0;
};

} // namespace karvel
