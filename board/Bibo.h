#pragma once
// TBibo: a page of the component library shown as a board. It is always seen from the
// component side, and its elements always count as being on the working side. The view shows
// its components one under the other, each scaled to the view's width with its description
// beneath; a click chooses one. It keeps no undo history.

#include "board/Platine.h"

#include <QtCore/QString>
#include <vector>

namespace karvel {

class TGruppe;
struct ComponentFields;

class TBibo : public TPlatine {
public:
    // The most a component is enlarged against the view's zoom, the room above the first
    // component, the gap below each one, and how far its clickable band reaches above its top
    // and below its bottom (pixels).
    static constexpr double MostScale = 0.6;
    static constexpr int TopMargin = 5;
    static constexpr int Gap = 25;
    static constexpr int BandAbove = 5;
    static constexpr int BandBelow = 20;
    static constexpr int DescriptionHeight = 12;

    // Where the layout put a component.
    struct Slot {
        TGruppe* Component = nullptr;
        double Zoom = 0; // its display zoom: the view's zoom times its scale
        Rect Bounds;     // its bounds in board units
        QPoint Position; // where its bounds' top-left corner lies in the view (pixels)
        QSize Size;      // its size in the view (pixels)
        int Top() const { return Position.y(); }
        int Bottom() const { return Position.y() + Size.height(); }
    };

    explicit TBibo(ViewState& view);

    bool IsLibraryPage() const override { return true; }
    Mapping CurrentMapping() const override;

    // --- The board operations a library page overrides
    void Paint(Canvas& canvas) override;
    void ZeichnePlatine(Canvas& canvas) override;
    // Adds the transferred elements as one component; see AddComponent.
    void EinfuegenAusStream(const QByteArray& stream) override;
    void LoescheMarkierte() override;

    // --- The page file
    // Replaces the view's content by the page file. On failure the reason in the language
    // of the view: the view then holds what could be read, and the page is never saved.
    QString LoadPage(const QString& path);
    // Writes the page to its file through a temporary file; the reason when that fails. A page
    // that failed to load is not written, and its file stays as it is.
    QString SavePage();
    const QString& PagePath() const { return pagePath_; }
    void SetPagePath(const QString& path) { pagePath_ = path; }
    bool LoadFailed() const { return loadFailed_; }
    // Deletes every component and names the page anew: a page replaced on purpose, which may
    // be saved even where its file could not be read.
    void EmptyPage(const QString& name);

    // --- Components
    // Adds the elements of a transfer stream as one component with the dialog's values: more
    // than one element are grouped, two-lead components get straight leads, and anything that
    // is not a group is dropped. The component added, or null when nothing was left.
    TGruppe* AddComponent(const QByteArray& stream, const ComponentFields& fields);
    TGruppe* Current() const { return current_; }
    // Chooses a component, selecting it alone; null chooses none.
    void SetCurrent(TGruppe* component);
    // Gives the current component the values of the component dialog.
    void SetIdentity(const ComponentFields& fields);
    // The current component to the start or the end of the page, or one place up or down.
    void ToTop();
    void ToBottom();
    void OneUp();
    void OneDown();

    // --- Layout and mouse. Positions are pixels of the view, which is as wide as the scroll
    // box's client area and as high as the page.
    void SetViewWidth(int pixels);
    int ViewWidth() const { return viewWidth_; }
    // Lays the components out one under the other; run after every change of the page.
    void LayOut();
    const std::vector<Slot>& Slots() const { return slots_; }
    const Slot* SlotOf(const TGruppe* component) const;
    int PageHeight() const { return pageHeight_; }
    // The mapping a component is drawn with.
    static Mapping SlotMapping(const Slot& slot);
    // The component whose band holds the point, or null.
    TGruppe* ComponentAt(QPoint view) const;
    // A click chooses the component under the point (none beside them) and answers it.
    TGruppe* Click(QPoint view);
    // The mouse over a component shows its kind and measurements in the status lines.
    void Hover(QPoint view);
    // The whole description of the component under the point, for a tooltip; the page may
    // show it shortened.
    QString DescriptionAt(QPoint view) const;
    // Copies the current component into a transfer stream; empty when there is none.
    QByteArray CopyCurrent();

private:
    void RemoveNonGroups();
    void Changed();
    int IndexOfCurrent() const;

    QString pagePath_;
    bool loadFailed_ = false;
    TGruppe* current_ = nullptr;
    int viewWidth_ = 0;
    int pageHeight_ = 0;
    std::vector<Slot> slots_;
};

} // namespace karvel
