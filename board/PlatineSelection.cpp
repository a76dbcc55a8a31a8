// Operations on the selection: selecting, deleting, drawing order, groups, turning, nudging,
// attributes, fill bitmaps, numbering and alignment.

#include "board/Platine.h"
#include "board/SelectionQueries.h"
#include "board/UndoHistory.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/Trenner.h"

#include <algorithm>
#include <QtGui/QImage>

namespace karvel {

namespace {

bool IsStripCut(const TBauteil& element) {
    return dynamic_cast<const TTrenner*>(&element) != nullptr;
}

bool IsComponent(const TBauteil* element) {
    const auto* group = dynamic_cast<const TGruppe*>(element);
    return group != nullptr && group->IsComponent;
}

// Every component in drawing order, each before the components nested in it.
void CollectComponents(const std::vector<std::unique_ptr<TBauteil>>& elements,
                       std::vector<TGruppe*>& found) {
    for (const auto& element : elements) {
        if (auto* group = dynamic_cast<TGruppe*>(element.get())) {
            if (group->IsComponent)
                found.push_back(group);
            CollectComponents(group->Members(), found);
        }
    }
}

QPoint HoleCentre(QPoint hole) {
    return {hole.x() * HolePitch, hole.y() * HolePitch + HolePitch / 2};
}

} // namespace

std::vector<TBauteil*> TPlatine::Selected() const {
    std::vector<TBauteil*> selected;
    for (const auto& element : bauteile_)
        if (element->IstMarkiert())
            selected.push_back(element.get());
    return selected;
}

bool TPlatine::EditElementProperties(TBauteil& element) {
    const UndoStep undo(*this);
    InvalidateElement(element);
    if (!element.EditProperties())
        return false;
    InvalidateElement(element);
    Fire(OnChange);
    return true;
}

void TPlatine::LabelsBehind() {
    const auto isLabel = [](const std::unique_ptr<TBauteil>& e) {
        return e->BauteilTyp == TBauteilTyp::btText;
    };
    if (std::is_partitioned(bauteile_.begin(), bauteile_.end(), isLabel))
        return;
    std::stable_partition(bauteile_.begin(), bauteile_.end(), isLabel);
    for (const auto& element : bauteile_)
        if (isLabel(element))
            InvalidateElement(*element);
}

void TPlatine::InvalidateElement(TBauteil& element) {
    if (host_)
        WithMeasuringCanvas([&](Canvas& canvas) { element.Invalidate(*host_, canvas); });
}

void TPlatine::RecomputeAnchors(TBauteil& element) const {
    if (auto* group = dynamic_cast<TGruppe*>(&element)) {
        for (const auto& member : group->Members())
            RecomputeAnchors(*member);
        group->CollectAnchors();
        return;
    }
    std::vector<QPoint*> contacts;
    element.FillContacts(contacts);
    element.Anchors.assign(std::size_t(std::max(element.GetContactCount(), 0)), QPoint(-1, -1));
    for (std::size_t i = 0; i < contacts.size() && i < element.Anchors.size(); ++i) {
        const QPoint hole = HoleIndex(*contacts[i]);
        if (hole.x() >= 0 && HoleCentre(hole) == *contacts[i])
            element.Anchors[i] = hole;
    }
}

bool TPlatine::SitsOnHoles(TBauteil& element) const {
    if (auto* group = dynamic_cast<TGruppe*>(&element)) {
        const auto& members = group->Members();
        return std::any_of(members.begin(), members.end(),
                           [this](const auto& member) { return SitsOnHoles(*member); });
    }
    std::vector<QPoint*> contacts;
    element.FillContacts(contacts);
    contacts.resize(std::min(contacts.size(), std::size_t(std::max(element.GetContactCount(), 0))));
    return std::any_of(contacts.begin(), contacts.end(), [this](const QPoint* contact) {
        const QPoint hole = HoleIndex(*contact);
        return hole.x() >= 0 && HoleCentre(hole) == *contact;
    });
}

// --- Selecting ------------------------------------------------------------------------------

void TPlatine::MarkiereAlle(bool select) {
    for (const auto& element : bauteile_) {
        if (element->IstMarkiert() == select || (select && !element->IsOnWorkingSide()))
            continue;
        element->SetIstMarkiert(select);
        // The element menu's properties go to the last element selected, as after a click.
        if (select)
            lastSelected_ = element.get();
        InvalidateElement(*element);
    }
    Fire(OnMyClick);
}

void TPlatine::SetzeMarkierung(TBauteil* element, bool select) {
    if (element == nullptr)
        return;
    if (select)
        lastSelected_ = element;
    if (element->IstMarkiert() == select)
        return;
    element->SetIstMarkiert(select);
    InvalidateElement(*element);
    Fire(OnMyClick);
}

void TPlatine::LoescheMarkierte() {
    EndRunningOperation();
    if (drag_.Busy() || AnzahlMarkierte() == 0)
        return;
    const UndoStep undo(*this);
    for (int i = Count() - 1; i >= 0; --i) {
        TBauteil* element = At(i);
        if (!element->IstMarkiert())
            continue;
        InvalidateElement(*element);
        Remove(element);
    }
    Fire(OnMyClick);
}

// --- Drawing order --------------------------------------------------------------------------

void TPlatine::NachVorne() {
    const auto moves = [](const std::unique_ptr<TBauteil>& e) {
        return e->IstMarkiert() && !IsStripCut(*e);
    };
    if (std::none_of(bauteile_.begin(), bauteile_.end(), moves))
        return;
    const UndoStep undo(*this);
    std::stable_partition(bauteile_.begin(), bauteile_.end(),
                          [&](const std::unique_ptr<TBauteil>& e) { return !moves(e); });
    if (host_)
        host_->Repaint();
}

void TPlatine::NachHinten() {
    // Cuts at the start of the list stay there, so cuts remain below everything else.
    const auto first = std::find_if(bauteile_.begin(), bauteile_.end(),
                                    [](const auto& e) { return !IsStripCut(*e); });
    if (std::none_of(first, bauteile_.end(), [](const auto& e) { return e->IstMarkiert(); }))
        return;
    const UndoStep undo(*this);
    std::stable_partition(first, bauteile_.end(), [](const auto& e) { return e->IstMarkiert(); });
    if (host_)
        host_->Repaint();
}

void TPlatine::EinsHoeher() {
    for (std::size_t i = 1; i < bauteile_.size(); ++i)
        if (bauteile_[i]->IstMarkiert() && IsComponent(bauteile_[i].get()))
            std::swap(bauteile_[i], bauteile_[i - 1]);
    if (host_)
        host_->Repaint();
}

void TPlatine::EinsTiefer() {
    for (std::size_t i = 0; i < bauteile_.size(); ++i) {
        if (bauteile_[i]->IstMarkiert() && IsComponent(bauteile_[i].get())) {
            if (i + 1 < bauteile_.size())
                std::swap(bauteile_[i], bauteile_[i + 1]);
            break;
        }
    }
    if (host_)
        host_->Repaint();
}

// --- Groups ---------------------------------------------------------------------------------

TGruppe* TPlatine::Gruppiere(bool component) {
    const std::vector<TBauteil*> selected = Selected();
    if (selected.empty())
        return nullptr;
    const UndoStep undo(*this);
    auto group = std::make_unique<TGruppe>(view_.Sprache);
    for (TBauteil* element : selected) {
        InvalidateElement(*element);
        std::unique_ptr<TBauteil> member = Take(element);
        member->InGroup = true;
        group->AddMember(std::move(member));
    }
    group->SetIstAufLoetseite(view_.NewElementsOnSolderSide());
    group->IsComponent = component;
    group->OnBtKennungRequest = [this](TGruppe& g) { KennungAnfordern(g); };
    auto* added = static_cast<TGruppe*>(Add(std::move(group)));
    MarkiereAlle(false);
    added->SetIstMarkiert(true);
    lastSelected_ = added;
    // A two-lead part remembers its shape, so that its leads can be stretched later.
    if (added->GetContactCount() == 2)
        added->RememberShape();
    InvalidateElement(*added);
    Fire(OnMyClick);
    return added;
}

void TPlatine::LoeseGruppe() {
    const auto it = std::find_if(bauteile_.begin(), bauteile_.end(), [](const auto& e) {
        return e->IstMarkiert() && dynamic_cast<TGruppe*>(e.get()) != nullptr;
    });
    if (it == bauteile_.end())
        return;
    const UndoStep undo(*this);
    auto* group = static_cast<TGruppe*>(it->get());
    InvalidateElement(*group);
    int index = int(it - bauteile_.begin());
    std::vector<TBauteil*> members;
    for (const auto& member : group->Members())
        members.push_back(member.get());
    for (TBauteil* member : members) {
        std::unique_ptr<TBauteil> taken = group->TakeMember(member);
        taken->InGroup = false;
        Insert(++index, std::move(taken));
    }
    Remove(group);
    lastSelected_ = nullptr;
    Fire(OnMyClick);
}

// --- Turning and nudging --------------------------------------------------------------------

void TPlatine::Drehe() {
    if (!CanRotate(*this))
        return;
    auto* group = static_cast<TGruppe*>(Selected().front());
    const RangeCheck check = BeginRangeCheck({group});
    // Turning changes the board like any other edit: it can be undone and asks to be saved.
    const UndoStep undo(*this);
    group->BeginContacts();
    const std::optional<QPoint> firstContact = group->NextContact();
    QPoint centre = group->FirstLeadEnd();
    if (centre == QPoint(-1, -1)) {
        const Rect bounds =
            WithMeasuringCanvas([&](Canvas& canvas) { return group->GetRedrawBounds(canvas); });
        centre = Midpoint({bounds.Left, bounds.Top}, {bounds.Right, bounds.Bottom});
    }
    const QPoint anchorCentre = HoleIndex(firstContact.value_or(centre));
    InvalidateElement(*group);
    group->Rotate90(centre, anchorCentre);
    // Turned about the centre of its bounds, a part's leads can leave their holes: the anchors
    // say where the turned points lie.
    RecomputeAnchors(*group);
    if (!EndRangeCheck(check, {group}))
        return;
    InvalidateElement(*group);
    Fire(OnChange);
}

void TPlatine::SchiebeMarkierte(Richtung direction, bool fine) {
    if (drag_.Busy() || drag_.HandleDrag || modus_ != TPlatinenModus::pm_Standard)
        return;
    const std::vector<TBauteil*> selected = Selected();
    if (selected.empty())
        return;
    const RangeCheck check = BeginRangeCheck(selected);
    const UndoStep undo(*this);
    const int step = fine ? int(RoundHalfEven(view_.FineGrid)) : HolePitch;
    QPoint delta;
    switch (direction) {
    case Richtung::Up:
        delta = {0, -step};
        break;
    case Richtung::Down:
        delta = {0, step};
        break;
    case Richtung::Left:
        delta = {-step, 0};
        break;
    case Richtung::Right:
        delta = {step, 0};
        break;
    }
    for (TBauteil* element : selected) {
        InvalidateElement(*element);
        element->MoveBy(delta.x(), delta.y());
        // As after a move with the mouse: the anchors say where the points now lie.
        RecomputeAnchors(*element);
        InvalidateElement(*element);
    }
    if (!EndRangeCheck(check, selected))
        return;
    Fire(OnChange);
}

// --- Attributes and fill bitmaps ------------------------------------------------------------

void TPlatine::SetzeAttribute(std::initializer_list<Attribut> attributes) {
    ChangeSelected([&](TBauteil& element) {
        for (const Attribut attribute : attributes)
            ApplyAttribute(element, attribute);
    });
}

void TPlatine::ApplyAttribute(TBauteil& element, Attribut attribute) {
    switch (attribute) {
    case Attribut::PenWidth:
        element.SetStiftbreite(std::int16_t(std::clamp(CurrentPenWidth, -32768, 32767)));
        break;
    case Attribut::PenColour:
        element.SetStiftfarbe(CurrentPenColour);
        break;
    case Attribut::Fill:
        element.SetFuellenFlag(true);
        element.SetFuellenFlag(CurrentFill);
        break;
    case Attribut::BrushColour:
        if (element.HasteBitmap())
            element.ReleaseFillBitmap();
        element.SetBrushfarbe(CurrentBrushColour);
        break;
    }
}

bool TPlatine::SetzeFuellbild(const QString& path) {
    if (QImage(path).isNull())
        return false;
    const std::vector<TBauteil*> selected = Selected();
    if (selected.empty())
        return true;
    const UndoStep undo(*this);
    for (TBauteil* element : selected) {
        element->SetBMUsage(&bitmapUsages_);
        element->LoadFillBitmap(path);
        element->SetFuellenFlag(true);
        element->SetFraesen(false);
        InvalidateElement(*element);
    }
    Fire(OnChange);
    return true;
}

void TPlatine::DreheFuellbilder() {
    const std::vector<TBauteil*> selected = Selected();
    if (std::none_of(selected.begin(), selected.end(),
                     [](const TBauteil* e) { return e->HasteBitmap(); }))
        return;
    const UndoStep undo(*this);
    for (TBauteil* element : selected) {
        if (!element->HasteBitmap())
            continue;
        element->RotateFillBitmap();
        InvalidateElement(*element);
    }
    Fire(OnChange);
}

void TPlatine::ChangeSelected(const std::function<void(TBauteil&)>& change) {
    const std::vector<TBauteil*> selected = Selected();
    if (selected.empty())
        return;
    const UndoStep undo(*this);
    for (TBauteil* element : selected) {
        InvalidateElement(*element);
        change(*element);
        InvalidateElement(*element);
    }
    Fire(OnChange);
}

void TPlatine::SmoothSelectedContours(std::optional<TGlaettenStil> style) {
    ChangeSelected([&](TBauteil& element) {
        element.SetGlaetten(style.has_value());
        if (!style)
            return;
        element.SetGlaettenStil(*style);
        if (*style != TGlaettenStil::glSpline)
            element.SetGlaettenBetrag(ContourAmount * 100.0);
    });
}

void TPlatine::SetzeFraesen(bool milled) {
    ChangeSelected([milled](TBauteil& element) { element.SetFraesen(milled); });
}

// --- Numbers --------------------------------------------------------------------------------

void TPlatine::NummeriereNeu() {
    std::vector<TGruppe*> components;
    CollectComponents(bauteile_, components);
    if (components.empty())
        return;
    const UndoStep undo(*this);
    for (TGruppe* c : components)
        c->Renumbered = false;
    for (TGruppe* p : components) {
        if (p->Renumbered || !p->Identifier.contains(QLatin1Char('#')))
            continue;
        std::int16_t next = 1;
        for (TGruppe* q : components) {
            if (!q->Renumbered && q->Identifier == p->Identifier) {
                q->Number = next++;
                q->Renumbered = true;
            }
        }
    }
    for (TGruppe* c : components) {
        InvalidateElement(*c);
        c->PropagateIdentity();
        InvalidateElement(*c);
    }
    Fire(OnChange);
}

int TPlatine::NaechsteNummer(const QString& identifier) const {
    return HighestNumber(identifier) + 1;
}

// --- Alignment ------------------------------------------------------------------------------

void TPlatine::AlignSelection(Alignment alignment) {
    const std::vector<TBauteil*> selected = Selected();
    if (selected.empty() || (selected.size() == 1 && !dynamic_cast<TGruppe*>(selected.front())))
        return;
    // A single group lines its members up inside it; otherwise the first selected element
    // is the reference the others move to.
    auto* single = selected.size() == 1 ? static_cast<TGruppe*>(selected.front()) : nullptr;
    std::vector<TBauteil*> moving;
    if (single) {
        for (const auto& member : single->Members())
            moving.push_back(member.get());
    } else {
        moving.assign(selected.begin() + 1, selected.end());
    }
    if (moving.empty())
        return;
    const auto boundsOf = [this](TBauteil& e) {
        return WithMeasuringCanvas([&](Canvas& canvas) { return Normalised(e.GetBounds(canvas)); });
    };
    Rect reference = single ? boundsOf(*single) : boundsOf(*selected.front());
    const auto target = [&](const Rect& r) -> QPoint {
        switch (alignment) {
        case Alignment::Left:
            return {reference.Left - r.Left, 0};
        case Alignment::Right:
            return {reference.Right - r.Right, 0};
        case Alignment::Centre:
            return {(reference.Left + reference.Right) / 2 - (r.Left + r.Right) / 2, 0};
        case Alignment::Top:
            return {0, reference.Top - r.Top};
        case Alignment::Bottom:
            return {0, reference.Bottom - r.Bottom};
        case Alignment::Middle:
            return {0, (reference.Top + reference.Bottom) / 2 - (r.Top + r.Bottom) / 2};
        }
        return {};
    };
    // Elements on holes move by whole pitches, so wires and leads keep landing on holes;
    // labels, lines and shapes line up exactly.
    const auto onGrid = [](int d) {
        return int(RoundHalfEven(d / (long double)HolePitch)) * HolePitch;
    };
    std::vector<QPoint> deltas;
    for (TBauteil* element : moving) {
        const QPoint d = target(boundsOf(*element));
        deltas.push_back(SitsOnHoles(*element) ? QPoint(onGrid(d.x()), onGrid(d.y())) : d);
    }
    if (std::all_of(deltas.begin(), deltas.end(), [](QPoint d) { return d.isNull(); }))
        return;
    const RangeCheck check = BeginRangeCheck(moving);
    const UndoStep undo(*this);
    for (std::size_t i = 0; i < moving.size(); ++i) {
        InvalidateElement(*moving[i]);
        moving[i]->MoveBy(deltas[i].x(), deltas[i].y());
        RecomputeAnchors(*moving[i]);
        InvalidateElement(*moving[i]);
    }
    if (single)
        single->CollectAnchors();
    if (!EndRangeCheck(check, moving))
        return;
    Fire(OnChange);
}

} // namespace karvel
