#include "board/Bibo.h"

#include "board/ProjectFile.h"
#include "elements/ComponentDialog.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"

#include <algorithm>
#include <QtCore/QFileInfo>

namespace karvel {

namespace {

constexpr Colour DescriptionGrey = RgbColour(80, 80, 80);

// A lead bent on its way keeps only its ends: the hole and the body.
bool StraightenLeads(TGruppe& component) {
    bool changed = false;
    for (const auto& member : component.Members()) {
        auto* lead = dynamic_cast<TDraht*>(member.get());
        if (lead == nullptr || lead->BauteilTyp != TBauteilTyp::btAnschluss ||
            lead->Nodes.size() <= 2)
            continue;
        lead->Nodes = {lead->Nodes.front(), lead->Nodes.back()};
        changed = true;
    }
    return changed;
}

} // namespace

TBibo::TBibo(ViewState& view) : TPlatine(view, false) {
    SetPlatinenName(view.Tr(QStringLiteral("Neue Bibliothek"), QStringLiteral("New page")));
}

Mapping TBibo::CurrentMapping() const {
    const int s = PixelsPerHole();
    Mapping m;
    m.WindowExt = {HolePitch, HolePitch};
    m.ViewportExt = {s, s};
    return m;
}

// --- Drawing -----------------------------------------------------------------------------------

void TBibo::Paint(Canvas& canvas) {
    canvas.ResetMapping();
    canvas.FillRect(DeviceClipRect(canvas), Color());
    ZeichnePlatine(canvas);
}

namespace {

// A description wider than the panel is shortened with an ellipsis rather than cut off at both
// edges; the panel's tooltip shows it whole.
QString FittedText(Canvas& canvas, const QString& text, int width) {
    if (canvas.TextExtent(text).width() <= width)
        return text;
    QString shortened = text;
    while (!shortened.isEmpty()) {
        shortened.chop(1);
        const QString candidate = shortened.trimmed() + QChar(0x2026);
        if (canvas.TextExtent(candidate).width() <= width)
            return candidate;
    }
    return {};
}

} // namespace

void TBibo::ZeichnePlatine(Canvas& canvas) {
    const Rect clip = DeviceClipRect(canvas);
    for (const Slot& slot : slots_) {
        const Rect band{0, slot.Top() - BandAbove, viewWidth_, slot.Bottom() + BandBelow};
        if (!Intersects(band, clip))
            continue;
        const Mapping m = SlotMapping(slot);
        canvas.SetMapping(m.WindowOrg, m.WindowExt, m.ViewportOrg, m.ViewportExt);
        canvas.SetBrushStyle(BrushStyle::Solid);
        slot.Component->Draw(canvas);
        // The description stands on a grey line at the foot of the component's band.
        canvas.ResetMapping();
        canvas.SetMixMode(MixMode::Copy);
        const int line = slot.Bottom() + BandBelow - 1;
        canvas.SetPen(DescriptionGrey, 0);
        canvas.Line({TopMargin, line}, {viewWidth_ - TopMargin, line});
        FontSpec font;
        font.Height = DescriptionHeight;
        canvas.SetFont(font);
        canvas.SetTextColour(DescriptionGrey);
        const QString text =
            FittedText(canvas, slot.Component->Description, viewWidth_ - 2 * TopMargin);
        const QSize extent = canvas.TextExtent(text);
        canvas.TextOut({(viewWidth_ - extent.width()) / 2, line - extent.height()}, text);
    }
}

// --- The page file -----------------------------------------------------------------------------

QString TBibo::LoadPage(const QString& path) {
    Clear();
    current_ = nullptr;
    pagePath_ = path;
    // Named after its file until its own name is read.
    SetPlatinenName(QFileInfo(path).completeBaseName());
    if (BoardHost* host = Host())
        host->SetScrollPosition({0, 0});
    QString problem;
    const Language language = View().Sprache;
    try {
        if (const std::optional<StreamError> error = ReadLibraryPage(path, *this))
            problem = error->Detail(language);
    } catch (const FileOpenError& error) {
        problem = error.Message(language);
    } catch (const VersionError& error) {
        problem = error.Message(language);
    }
    loadFailed_ = !problem.isEmpty();
    for (const auto& element : Bauteile())
        element->SetIstMarkiert(false);
    RemoveNonGroups();
    NummeriereNeu();
    SetModified(false);
    LayOut();
    return problem;
}

QString TBibo::SavePage() {
    if (loadFailed_ || pagePath_.isEmpty())
        return {};
    const QString error = SaveLibraryPage(pagePath_, *this);
    if (error.isEmpty())
        SetModified(false);
    return error;
}

void TBibo::EmptyPage(const QString& name) {
    Clear();
    current_ = nullptr;
    SetPlatinenName(name);
    loadFailed_ = false;
    Changed();
}

void TBibo::RemoveNonGroups() {
    for (int i = Count() - 1; i >= 0; --i)
        if (At(i)->AsGroup() == nullptr)
            Remove(At(i));
}

void TBibo::Changed() {
    SetModified(true);
    LayOut();
    if (BoardHost* host = Host())
        host->Repaint();
}

// --- Components --------------------------------------------------------------------------------

void TBibo::EinfuegenAusStream(const QByteArray& stream) {
    for (const auto& element : Bauteile())
        element->SetIstMarkiert(false);
    const int before = Count();
    ReadTransfer(stream, true);
    if (Count() - before > 1)
        Gruppiere(true);
    for (int i = before; i < Count(); ++i) {
        TGruppe* component = At(i)->AsGroup();
        if (component != nullptr && component->GetContactCount() == 2 &&
            StraightenLeads(*component))
            component->RememberShape();
    }
    RemoveNonGroups();
    for (const auto& element : Bauteile())
        element->SetIstMarkiert(false);
    current_ = nullptr;
    Changed();
}

TGruppe* TBibo::AddComponent(const QByteArray& stream, const ComponentFields& fields) {
    const int before = Count();
    EinfuegenAusStream(stream);
    if (Count() == before)
        return nullptr;
    TGruppe* component = At(Count() - 1)->AsGroup();
    component->Identifier = fields.Identifier.left(TGruppe::IdentifierLength);
    component->Value = fields.Value.left(TGruppe::ValueLength);
    component->Description = fields.Description.left(TGruppe::DescriptionLength);
    component->InComponentsList = fields.InComponentsList;
    component->IsComponent = true;
    component->PropagateIdentity();
    Changed();
    return component;
}

void TBibo::SetCurrent(TGruppe* component) {
    for (const auto& element : Bauteile())
        element->SetIstMarkiert(element.get() == component);
    current_ = component;
    if (BoardHost* host = Host())
        host->Repaint();
}

void TBibo::SetIdentity(const ComponentFields& fields) {
    if (current_ == nullptr)
        return;
    current_->Identifier = fields.Identifier.left(TGruppe::IdentifierLength);
    current_->Value = fields.Value.left(TGruppe::ValueLength);
    current_->Description = fields.Description.left(TGruppe::DescriptionLength);
    current_->InComponentsList = fields.InComponentsList;
    current_->PropagateIdentity();
    Changed();
}

void TBibo::LoescheMarkierte() {
    bool removed = false;
    for (int i = Count() - 1; i >= 0; --i) {
        if (!At(i)->IstMarkiert())
            continue;
        if (At(i) == current_)
            current_ = nullptr;
        Remove(At(i));
        removed = true;
    }
    if (!removed)
        return;
    if (BoardHost* host = Host())
        host->SetScrollPosition({0, 0});
    Changed();
}

int TBibo::IndexOfCurrent() const {
    return current_ ? IndexOf(current_) : -1;
}

void TBibo::ToTop() {
    if (IndexOfCurrent() < 0)
        return;
    NachHinten();
    Changed();
}

void TBibo::ToBottom() {
    if (IndexOfCurrent() < 0)
        return;
    NachVorne();
    Changed();
}

void TBibo::OneUp() {
    if (IndexOfCurrent() < 0)
        return;
    EinsHoeher();
    Changed();
}

void TBibo::OneDown() {
    if (IndexOfCurrent() < 0)
        return;
    EinsTiefer();
    Changed();
}

// --- Layout and mouse ----------------------------------------------------------------------------

void TBibo::SetViewWidth(int pixels) {
    viewWidth_ = std::max(pixels, 0);
    LayOut();
}

void TBibo::LayOut() {
    slots_.clear();
    int y = TopMargin;
    const double pixelsPerUnit = double(PixelsPerHole()) / HolePitch;
    WithMeasuringCanvas([&](Canvas& canvas) {
        for (const auto& element : Bauteile()) {
            TGruppe* component = element->AsGroup();
            if (component == nullptr)
                continue;
            Slot slot;
            slot.Component = component;
            slot.Bounds = Normalised(component->GetBounds(canvas));
            const double width = slot.Bounds.Width() * pixelsPerUnit;
            // Scaled to fit the view's width with a margin, but never enlarged past the cap.
            const double fit = width > 0 ? (viewWidth_ - 10) / width * 0.9 : MostScale;
            slot.Zoom = Zoom() * std::clamp(fit, 0.01, MostScale);
            const int scale = std::max(RoundToUnit((long double)slot.Zoom * 16.0L), 1);
            slot.Size = {int((long long)slot.Bounds.Width() * scale / HolePitch),
                         int((long long)slot.Bounds.Height() * scale / HolePitch)};
            slot.Position = {(viewWidth_ - slot.Size.width()) / 2, y};
            y += slot.Size.height() + Gap;
            slots_.push_back(slot);
        }
    });
    pageHeight_ = y;
    if (BoardHost* host = Host())
        host->SetControlSize({viewWidth_, pageHeight_});
}

const TBibo::Slot* TBibo::SlotOf(const TGruppe* component) const {
    for (const Slot& slot : slots_)
        if (slot.Component == component)
            return &slot;
    return nullptr;
}

Mapping TBibo::SlotMapping(const Slot& slot) {
    const int scale = std::max(RoundToUnit((long double)slot.Zoom * 16.0L), 1);
    Mapping m;
    m.WindowOrg = slot.Bounds.TopLeft();
    m.WindowExt = {HolePitch, HolePitch};
    m.ViewportOrg = slot.Position;
    m.ViewportExt = {scale, scale};
    return m;
}

TGruppe* TBibo::ComponentAt(QPoint view) const {
    for (const Slot& slot : slots_)
        if (view.y() >= slot.Top() - BandAbove && view.y() < slot.Bottom() + BandBelow)
            return slot.Component;
    return nullptr;
}

TGruppe* TBibo::Click(QPoint view) {
    SetCurrent(ComponentAt(view));
    return current_;
}

void TBibo::Hover(QPoint view) {
    if (const TGruppe* component = ComponentAt(view))
        SetInfozeilen(component->GetKindName(), component->GetMeasureText());
}

QString TBibo::DescriptionAt(QPoint view) const {
    const TGruppe* component = ComponentAt(view);
    return component != nullptr ? component->Description : QString();
}

QByteArray TBibo::CopyCurrent() {
    if (current_ == nullptr)
        return {};
    SetCurrent(current_);
    return KopiereMarkierte();
}

} // namespace karvel
