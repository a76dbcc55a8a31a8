#pragma once
// TGruppe: an element made of other elements — a plain group, or a component with an identity
// (identifier, value, description and number). Groups nest and own their members.

#include "board/Language.h"
#include "elements/Bauteil.h"

#include <functional>
#include <memory>
#include <vector>

namespace karvel {

class TGruppe : public TBauteil {
public:
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
    void SetIstMarkiert(bool value) override;
    void MoveBy(int dx, int dy) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    TBauteil* ContactAt(QPoint point) override;
    void SetPlaced(bool value) override;
    void BeginContacts() override;
    void CollectAnchors() override;
    void RememberShape() override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    QString GetKindName() const override;
    QString GetMeasureText() const override;
    void SetUmrissFlag(bool value) override;
    void SetSpiegelnFlag(bool value) override;
    void SetFraesen(bool) override { TBauteil::SetFraesen(false); }
    void SetKupferFlag(bool value) override;
    void SetIstAufLoetseite(bool value) override;
    void SetVisible(bool value) override;
    int GetContactCount() const override;
    void FillContacts(std::vector<QPoint*>& contacts) override;

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

    // The group's anchors are copies of its members'; moving them moves the members'.
    void MoveAnchorsBy(int dx, int dy) override;

protected:
    // The group record shared by components built by the assistant.
    void WriteGroupRecord(RecordContext& context, ValueWriter& writer);
    void ReadGroupRecord(RecordContext& context, ValueReader& reader);

private:
    std::vector<std::unique_ptr<TBauteil>> members_;
};

} // namespace karvel
