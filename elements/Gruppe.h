#pragma once
// TGruppe: an element made of other elements — a plain group, or a component with an identity
// (identifier, value, description and number). Groups nest and own their members.

#include "elements/Bauteil.h"
#include "elements/ComponentDialog.h"
#include "platform/Language.h"

#include <functional>
#include <memory>
#include <vector>

namespace karvel {

class TGruppe : public TBauteil {
public:
    using TBauteil::AsGroup;
    const TGruppe* AsGroup() const override { return this; }
    static constexpr int IdentifierLength = 10;
    static constexpr int ValueLength = 40;
    static constexpr int DescriptionLength = 40;

    explicit TGruppe(Language language = Language::German);
    ~TGruppe() override;
    std::string_view ClassName() const override { return "TGruppe"; }

    const std::vector<std::unique_ptr<TBauteil>>& Members() const { return members_; }
    // Asked when the group arrives through a transfer stream: the board gives it a free number.
    std::function<void(TGruppe&)> OnBtKennungRequest;

    QString Identifier;
    QString Value;
    QString Description;
    std::int16_t Number = 0;
    bool IsComponent = false;
    bool InComponentsList = true;
    bool Renumbered = false;
    std::int32_t Level = 0;

    // "R#" with number 5 reads "R5"; a plain group has none.
    QString IdentifierText() const;

    // --- Overrides
    void Draw(Canvas& canvas) override;
    void SetIstMarkiert(bool value) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    bool HitTest(QPoint device, Canvas& canvas) override;
    QPoint* NodeAt(QPoint point, Canvas& canvas) override;
    void MoveBy(int dx, int dy) override;
    // An empty group has no area: it answers the base's empty rectangle.
    Rect GetBounds(Canvas& canvas) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    // Whether dragging one of the two leads stretches the whole component.
    bool CanStretchLeads() override;
    TBauteil* ContactAt(QPoint point) override;
    void SetPlaced(bool value) override;
    void BeginContacts() override;
    void CollectAnchors() override;
    void AppendCurrentAnchors(std::vector<QPoint>& anchors) const override;
    void Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle,
                 TBauteil* movedLead) override;
    void RememberShape() override;
    bool EditProperties() override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    QString GetKindName() const override;
    QString GetMeasureText() const override;
    void SetUmrissFlag(bool value) override;
    void SetSpiegelnFlag(bool value) override;
    void SetFraesen(bool) override { TBauteil::SetFraesen(false); }
    void SetKupferFlag(bool value) override;
    void SetParent(BoardContext* board) override;
    void SetBMUsage(TBitmapUsageList* list) override;
    bool IntersectsRect(const Rect& device, Canvas& canvas) override;
    void SetIstAufLoetseite(bool value) override;
    void SetVisible(bool value) override;
    // A component keeps its size; a plain group resizes its members.
    void FitToRect(const Rect& oldRect, const Rect& newRect) override;
    int GetContactCount() const override;
    void FillContacts(std::vector<QPoint*>& contacts) override;
    void DrawSolderJoints(Canvas& canvas) override;
    // The members' own areas too: a lead's joint reaches beyond the group's redraw bounds.
    void Invalidate(RepaintTarget& window, Canvas& canvas) override;

    // Hands the identity to nested plain groups and to the placeholder labels.
    virtual void PropagateIdentity();

    // --- Members
    void AddMember(std::unique_ptr<TBauteil> element);
    // Destroys the element wherever it lies in this group or a nested one.
    bool RemoveElement(TBauteil* element);
    std::unique_ptr<TBauteil> TakeMember(TBauteil* element);
    bool ContainsStripCut() const;
    bool HasNoStripCut() const { return !ContainsStripCut(); }
    QPoint FirstLeadEnd() const;
    void CollectOfKind(std::vector<TBauteil*>& list, TBauteilTyp kind);
    void CollectCopper(std::vector<TBauteil*>& list);
    // Draws the members of one kind, nested ones included, where the canvas is clipped to.
    void DrawMembersOfKind(Canvas& canvas, TBauteilTyp kind);

    // The dialog EditProperties opens; the program sets it once at start.
    static void SetDialog(ComponentDialog* dialog) { dialog_ = dialog; }
    static ComponentDialog* Dialog() { return dialog_; }

    // The group's anchors are copies of its members'; moving them moves the members'.
    void MoveAnchorsBy(int dx, int dy) override;

protected:
    // The group record shared by components built by the assistant.
    void WriteGroupRecord(RecordContext& context, ValueWriter& writer);
    void ReadGroupRecord(RecordContext& context, ValueReader& reader);

private:
    static inline ComponentDialog* dialog_ = nullptr;

    std::vector<std::unique_ptr<TBauteil>> members_;
};

} // namespace karvel
