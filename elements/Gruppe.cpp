#include "elements/Gruppe.h"

#include "elements/Draht.h"
#include "elements/ElementFactory.h"
#include "elements/Geometry.h"
#include "elements/Txtlabel.h"
#include "stream/RecordContext.h"
#include "stream/RecordIO.h"
#include "stream/StreamError.h"

#include <array>
#include <cmath>
#include <QtCore/QtEndian>
#include <QtGui/QPaintDevice>

namespace karvel {

namespace {

constexpr int IdentityBlockSize = 95;

QString NumberedIdentifier(const QString& identifier, int number) {
    const qsizetype hash = identifier.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return identifier;
    return identifier.left(hash) + QString::number(number);
}

// Leads and body ends within this angle of their mean direction count as one straight line.
constexpr long double InLineTolerance = 0.1L;

bool HasSolderJoints(TBauteilTyp kind) {
    return kind == TBauteilTyp::btDraht || kind == TBauteilTyp::btAnschluss ||
           kind == TBauteilTyp::btPin;
}

// Left and top edges belong to the rectangle, right and bottom do not.
bool ContainsPoint(const Rect& r, QPoint p) {
    return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
}

// Where the canvas may draw, in device pixels: its clip region, or else the whole surface.
Rect DeviceClipRect(Canvas& canvas) {
    if (const std::optional<Region> clip = canvas.ClipRegion())
        return clip->Bounds();
    const QPaintDevice* device = canvas.Painter().device();
    return {0, 0, device ? device->width() : 0, device ? device->height() : 0};
}

// The lead a contact of a stretchable component belongs to: a wire with a remembered shape of
// at least two nodes. Anything else (a pin, a contact without a wire) cannot be stretched.
const TDraht* StretchableLead(TBauteil* owner) {
    const auto* lead = dynamic_cast<const TDraht*>(owner);
    if (lead == nullptr || lead->BauteilTyp == TBauteilTyp::btPin || !lead->RememberedNodes ||
        lead->RememberedNodes->size() < 2)
        return nullptr;
    return lead;
}

// Keeps reading nested groups within a bound even when a damaged file nests them endlessly.
class GroupDepthGuard {
public:
    explicit GroupDepthGuard(RecordContext& context) : context_(context) { context_.EnterGroup(); }
    ~GroupDepthGuard() { context_.LeaveGroup(); }
    GroupDepthGuard(const GroupDepthGuard&) = delete;
    GroupDepthGuard& operator=(const GroupDepthGuard&) = delete;

private:
    RecordContext& context_;
};

} // namespace

TGruppe::TGruppe(Language language) {
    BauteilTyp = TBauteilTyp::btGruppe;
    // Only a German program gets the German placeholders; every other language the English.
    const bool german = language == Language::German;
    Identifier = german ? QStringLiteral("<<KB>>") : QStringLiteral("<ID>");
    Value = german ? QStringLiteral("<<Wert>>") : QStringLiteral("<value>");
    Description = german ? QStringLiteral("<<Beschreibung>>") : QStringLiteral("<description>");
}

TGruppe::~TGruppe() = default;

QString TGruppe::IdentifierText() const {
    if (!IsComponent)
        return {};
    return NumberedIdentifier(Identifier, Number);
}

QString TGruppe::GetKindName() const {
    if (IsComponent)
        return IdentifierText() + QStringLiteral(": ") + Description;
    return View().Tr(QStringLiteral("Gruppe "), QStringLiteral("Group "));
}

QString TGruppe::GetMeasureText() const {
    if (IsComponent)
        return Value;
    const QString count = QString::number(members_.size());
    return View().Tr(QStringLiteral("aus ") + count + QStringLiteral(" Objekten."),
                     count + QStringLiteral(" objects"));
}

void TGruppe::PropagateIdentity() {
    for (const auto& member : members_) {
        if (auto* group = member->AsGroup()) {
            if (group->IsComponent)
                continue; // nested components keep their own identity
            group->Identifier = Identifier;
            group->Value = Value;
            group->Description = Description;
            group->Number = Number;
            group->PropagateIdentity();
        } else if (auto* label = member->AsTextLabel()) {
            switch (label->Placeholder) {
            case std::uint8_t(TPlaceholder::Identifier):
                label->SetTextString(NumberedIdentifier(Identifier, Number));
                break;
            case std::uint8_t(TPlaceholder::Value):
                label->SetTextString(Value);
                break;
            case std::uint8_t(TPlaceholder::Description):
                label->SetTextString(Description);
                break;
            default:
                break;
            }
        }
    }
}

// --- Members ----------------------------------------------------------------------------------

void TGruppe::AddMember(std::unique_ptr<TBauteil> element) {
    if (!element)
        return;
    // A group not yet on a board passes its board on when it is added to one.
    if (Parent() != nullptr) {
        element->SetParent(Parent());
        element->SetBMUsage(BMUsage());
    }
    members_.push_back(std::move(element));
    CollectAnchors();
}

std::unique_ptr<TBauteil> TGruppe::TakeMember(TBauteil* element) {
    for (auto it = members_.begin(); it != members_.end(); ++it) {
        if (it->get() == element) {
            std::unique_ptr<TBauteil> taken = std::move(*it);
            members_.erase(it);
            return taken;
        }
    }
    return nullptr;
}

bool TGruppe::RemoveElement(TBauteil* element) {
    for (auto it = members_.rbegin(); it != members_.rend(); ++it) {
        if (auto* group = dynamic_cast<TGruppe*>(it->get()); group && group->RemoveElement(element))
            return true;
        if (it->get() == element) {
            members_.erase(std::next(it).base());
            return true;
        }
    }
    return false;
}

bool TGruppe::ContainsStripCut() const {
    return std::any_of(members_.begin(), members_.end(), [](const auto& m) {
        if (m->BauteilTyp == TBauteilTyp::btTrenner)
            return true;
        const auto* group = dynamic_cast<const TGruppe*>(m.get());
        return group != nullptr && group->ContainsStripCut();
    });
}

QPoint TGruppe::FirstLeadEnd() const {
    for (const auto& member : members_) {
        if (const auto* group = dynamic_cast<const TGruppe*>(member.get())) {
            const QPoint end = group->FirstLeadEnd();
            if (end.x() >= 0 && end.y() >= 0)
                return end;
            continue;
        }
        const auto* wire = dynamic_cast<const TDraht*>(member.get());
        const TBauteilTyp kind = member->BauteilTyp;
        if (wire && !wire->Nodes.empty() &&
            (kind == TBauteilTyp::btDraht || kind == TBauteilTyp::btAnschluss ||
             kind == TBauteilTyp::btPin))
            return wire->Nodes.front();
    }
    return {-1, -1};
}

void TGruppe::CollectOfKind(std::vector<TBauteil*>& list, TBauteilTyp kind) {
    Renumbered = false;
    if (IsComponent)
        ++Level;
    if (BauteilTyp == kind)
        list.push_back(this);
    for (const auto& member : members_) {
        if (auto* group = dynamic_cast<TGruppe*>(member.get())) {
            group->Level = Level;
            group->CollectOfKind(list, kind);
        } else if (member->BauteilTyp == kind) {
            list.push_back(member.get());
        }
    }
}

void TGruppe::CollectCopper(std::vector<TBauteil*>& list) {
    for (const auto& member : members_) {
        if (auto* group = dynamic_cast<TGruppe*>(member.get()))
            group->CollectCopper(list);
        else if (member->KupferFlag())
            list.push_back(member.get());
    }
}

void TGruppe::DrawMembersOfKind(Canvas& canvas, TBauteilTyp kind) {
    const Rect clip = DeviceClipRect(canvas);
    for (const auto& member : members_) {
        if (auto* group = dynamic_cast<TGruppe*>(member.get())) {
            group->DrawMembersOfKind(canvas, kind);
            continue;
        }
        if (member->BauteilTyp != kind)
            continue;
        if (Intersects(Normalised(canvas.LPtoDP(member->GetRedrawBounds(canvas))), clip))
            member->Draw(canvas);
    }
}

void TGruppe::DrawSolderJoints(Canvas& canvas) {
    // A part waiting hidden to be placed leaves no joints where it lay in the library.
    if (!Visible())
        return;
    for (const auto& member : members_)
        if (dynamic_cast<TGruppe*>(member.get()) != nullptr || HasSolderJoints(member->BauteilTyp))
            member->DrawSolderJoints(canvas);
}

void TGruppe::Invalidate(RepaintTarget& window, Canvas& canvas) {
    TBauteil::Invalidate(window, canvas);
    for (const auto& member : members_)
        member->Invalidate(window, canvas);
}

// --- Drawing and hit tests --------------------------------------------------------------------

void TGruppe::Draw(Canvas& canvas) {
    if ((!IsOnWorkingSide() && !IsXRayGhost()) || !Visible())
        return;
    // Strip cuts lie under everything else; the board draws them in its cut layer.
    for (const auto& member : members_)
        if (member->BauteilTyp != TBauteilTyp::btTrenner)
            member->Draw(canvas);
}

std::optional<Region> TGruppe::CreateRegion(Canvas& canvas) {
    if (members_.empty())
        return std::nullopt;
    Region united;
    for (const auto& member : members_)
        if (const std::optional<Region> region = member->CreateRegion(canvas))
            united = united.Combined(*region, CombineMode::Or);
    return united;
}

bool TGruppe::HitTest(QPoint device, Canvas& canvas) {
    if (!IsOnWorkingSide())
        return false;
    if (!ContainsPoint(Normalised(canvas.LPtoDP(GetRedrawBounds(canvas))), device))
        return false;
    return std::any_of(members_.begin(), members_.end(),
                       [&](const auto& member) { return member->HitTest(device, canvas); });
}

bool TGruppe::IntersectsRect(const Rect& device, Canvas& canvas) {
    if (!IsOnWorkingSide())
        return false;
    return std::any_of(members_.begin(), members_.end(),
                       [&](const auto& member) { return member->IntersectsRect(device, canvas); });
}

QPoint* TGruppe::NodeAt(QPoint point, Canvas& canvas) {
    for (const auto& member : members_)
        if (QPoint* node = member->NodeAt(point, canvas))
            return node;
    return nullptr;
}

Rect TGruppe::GetBounds(Canvas& canvas) {
    std::optional<Rect> bounds;
    for (const auto& member : members_) {
        const Rect r = Normalised(member->GetBounds(canvas));
        bounds = bounds ? Rect{std::min(bounds->Left, r.Left), std::min(bounds->Top, r.Top),
                               std::max(bounds->Right, r.Right), std::max(bounds->Bottom, r.Bottom)}
                        : r;
    }
    return bounds.value_or(TBauteil::GetBounds(canvas));
}

// --- Editing ----------------------------------------------------------------------------------

bool TGruppe::CanStretchLeads() {
    CollectAnchors();
    if (GetContactCount() != 2 || ContainsStripCut())
        return false;
    BeginContacts();
    std::array<const TDraht*, 2> leads{};
    for (const TDraht*& lead : leads) {
        const std::optional<QPoint> contact = NextContact();
        lead = contact ? StretchableLead(ContactAt(*contact)) : nullptr;
        if (lead == nullptr)
            return false;
    }
    const std::vector<QPoint>& a = *leads[0]->RememberedNodes;
    const std::vector<QPoint>& b = *leads[1]->RememberedNodes;
    // Node 0 lies in the hole, node 1 at the body: lead A, the body, lead B.
    const std::array<long double, 3> angles{LineDirection(a[0], a[1]), LineDirection(b[1], a[1]),
                                            LineDirection(b[1], b[0])};
    const long double mean = (angles[0] + angles[1] + angles[2]) / 3;
    return std::all_of(angles.begin(), angles.end(), [mean](long double angle) {
        return std::fabs(mean - angle) < InLineTolerance;
    });
}

void TGruppe::Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle,
                      TBauteil* movedLead) {
    // The leads first: the body and labels follow the new body end of the first lead.
    for (const auto& member : members_)
        if (member->BauteilTyp == TBauteilTyp::btAnschluss)
            member->Stretch(firstLead, secondLead, angle, movedLead);
    for (const auto& member : members_)
        if (member->BauteilTyp != TBauteilTyp::btAnschluss)
            member->Stretch(firstLead, secondLead, angle, movedLead);
}

bool TGruppe::EditProperties() {
    if (!IsComponent)
        return false;
    bool accepted = false;
    if (dialog_ != nullptr) {
        if (const std::optional<ComponentFields> fields =
                dialog_->Ask({Identifier, Value, Description, InComponentsList})) {
            // The stored identity block has room for these lengths only.
            Identifier = fields->Identifier.left(IdentifierLength);
            Value = fields->Value.left(ValueLength);
            Description = fields->Description.left(DescriptionLength);
            InComponentsList = fields->InComponentsList;
            accepted = true;
        }
    }
    PropagateIdentity();
    return accepted;
}

void TGruppe::FitToRect(const Rect& oldRect, const Rect& newRect) {
    if (IsComponent)
        return;
    for (const auto& member : members_)
        member->FitToRect(oldRect, newRect);
}

// --- Forwarding -------------------------------------------------------------------------------

void TGruppe::MoveBy(int dx, int dy) {
    for (const auto& member : members_)
        member->MoveBy(dx, dy);
}

void TGruppe::Rotate90(QPoint centre, QPoint anchorCentre) {
    TBauteil::Rotate90(centre, anchorCentre);
    for (const auto& member : members_)
        member->Rotate90(centre, anchorCentre);
    CollectAnchors();
}

void TGruppe::RememberShape() {
    for (const auto& member : members_)
        member->RememberShape();
}

void TGruppe::SetPlaced(bool value) {
    for (const auto& member : members_)
        member->SetPlaced(value);
    TBauteil::SetPlaced(value);
}

void TGruppe::BeginContacts() {
    TBauteil::BeginContacts();
    CollectAnchors();
}

void TGruppe::CollectAnchors() {
    for (const auto& member : members_)
        member->CollectAnchors();
    Anchors = CurrentAnchors();
}

// Each member gives as many anchors as it has contacts, at most.
void TGruppe::AppendCurrentAnchors(std::vector<QPoint>& anchors) const {
    for (const auto& member : members_) {
        const std::size_t before = anchors.size();
        member->AppendCurrentAnchors(anchors);
        const auto count = std::min<std::size_t>(
            std::size_t(std::max(member->GetContactCount(), 0)), anchors.size() - before);
        anchors.resize(before + count);
    }
}

void TGruppe::MoveAnchorsBy(int dx, int dy) {
    for (const auto& member : members_)
        member->MoveAnchorsBy(dx, dy);
    TBauteil::MoveAnchorsBy(dx, dy);
}

TBauteil* TGruppe::ContactAt(QPoint point) {
    for (const auto& member : members_)
        if (TBauteil* found = member->ContactAt(point))
            return found;
    return nullptr;
}

int TGruppe::GetContactCount() const {
    int count = 0;
    for (const auto& member : members_)
        count += member->GetContactCount();
    return count;
}

void TGruppe::FillContacts(std::vector<QPoint*>& contacts) {
    for (const auto& member : members_)
        member->FillContacts(contacts);
}

void TGruppe::SetIstMarkiert(bool value) {
    TBauteil::SetIstMarkiert(value);
    for (const auto& member : members_)
        member->SetIstMarkiert(value);
}
void TGruppe::SetVisible(bool value) {
    TBauteil::SetVisible(value);
    for (const auto& member : members_)
        member->SetVisible(value);
}
void TGruppe::SetUmrissFlag(bool value) {
    TBauteil::SetUmrissFlag(value);
    for (const auto& member : members_)
        member->SetUmrissFlag(value);
}
void TGruppe::SetSpiegelnFlag(bool value) {
    TBauteil::SetSpiegelnFlag(value);
    for (const auto& member : members_)
        member->SetSpiegelnFlag(value);
}
void TGruppe::SetIstAufLoetseite(bool value) {
    TBauteil::SetIstAufLoetseite(value);
    for (const auto& member : members_)
        member->SetIstAufLoetseite(value);
}
// Members answer side, X-ray, bitmap and language questions through the board they lie on.
void TGruppe::SetParent(BoardContext* board) {
    TBauteil::SetParent(board);
    for (const auto& member : members_)
        member->SetParent(board);
}
void TGruppe::SetBMUsage(TBitmapUsageList* list) {
    TBauteil::SetBMUsage(list);
    for (const auto& member : members_)
        member->SetBMUsage(list);
}
void TGruppe::SetKupferFlag(bool value) {
    TBauteil::SetKupferFlag(value);
    for (const auto& member : members_)
        member->SetKupferFlag(value);
}

// --- Stored form ------------------------------------------------------------------------------

void TGruppe::WriteToStream(RecordContext& context, ValueWriter& writer) {
    WriteGroupRecord(context, writer);
}

void TGruppe::ReadFromStream(RecordContext& context, ValueReader& reader) {
    ReadGroupRecord(context, reader);
}

void TGruppe::WriteGroupRecord(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    writer.WriteInteger(std::int32_t(members_.size()) - 1);
    // The identity block: three text fields and the number, raw one after the other.
    record::WriteShortString(writer, Identifier, IdentifierLength);
    record::WriteShortString(writer, Value, ValueLength);
    record::WriteShortString(writer, Description, DescriptionLength);
    record::WriteRawInt16(writer, Number);
    writer.WriteBoolean(IsComponent);
    writer.WriteBoolean(InComponentsList);
    for (const auto& member : members_) {
        writer.WriteString(
            QLatin1String(member->ClassName().data(), qsizetype(member->ClassName().size())));
        member->WriteToStream(context, writer);
    }
}

void TGruppe::ReadGroupRecord(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    // Members are taken in one by one, so a count larger than the rest of the stream keeps
    // every whole member and fails only where the data end.
    const qint64 count = record::ReadListLength(context, reader);
    std::array<char, IdentityBlockSize> block;
    reader.ReadRawInto(block.data(), IdentityBlockSize);
    const QByteArrayView identity(block.data(), IdentityBlockSize);
    Identifier = record::DecodeShortString(identity.sliced(0, 11), IdentifierLength);
    Value = record::DecodeShortString(identity.sliced(11, 41), ValueLength);
    Description = record::DecodeShortString(identity.sliced(52, 41), DescriptionLength);
    Number = qFromLittleEndian<std::int16_t>(block.data() + 93);
    if (context.Is(StreamPurpose::Transfer)) {
        // A group pasted or taken from the library gets a free number on its new board.
        Number = 0;
        if (OnBtKennungRequest)
            OnBtKennungRequest(*this);
    }
    IsComponent = reader.ReadBoolean();
    InComponentsList = reader.ReadBoolean();

    const GroupDepthGuard depth(context);
    // Room for the members of an ordinary part at once; a damaged count must not allocate much.
    members_.reserve(members_.size() + std::size_t(std::min<qint64>(count, 16)));
    for (qint64 i = 0; i < count; ++i) {
        std::unique_ptr<TBauteil> member = ReadElementOfClass(reader);
        member->SetParent(Parent());
        member->SetBMUsage(BMUsage());
        if (auto* group = member->AsGroup(); group && member->ClassName() == "TGruppe")
            group->OnBtKennungRequest = OnBtKennungRequest;
        TBauteil* read = member.get();
        // Taken in before its payload is read, so what was read stays when reading fails.
        members_.push_back(std::move(member));
        read->ReadFromStream(context, reader);
        read->SetIstAufLoetseite(istAufLoetseite());
    }
    PropagateIdentity();
}

} // namespace karvel
