#include "elements/Gruppe.h"
#include "board/Platine.h"
#include "elements/Auge.h"
#include "elements/ComponentDialog.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"
#include "support/ProbeElement.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::ProbeElement;

template <class T> T* AddTo(TGruppe& group, std::unique_ptr<T> element) {
    T* raw = element.get();
    group.AddMember(std::move(element));
    return raw;
}

TTextLabel* AddLabel(TGruppe& group, TPlaceholder placeholder) {
    auto label = std::make_unique<TTextLabel>();
    label->Placeholder = std::uint8_t(placeholder);
    label->SetTextString(QStringLiteral("fixed"));
    return AddTo(group, std::move(label));
}

std::unique_ptr<TGruppe> Component(const QString& identifier, int number,
                                   const QString& description = QStringLiteral("desc")) {
    auto group = std::make_unique<TGruppe>();
    group->IsComponent = true;
    group->Identifier = identifier;
    group->Number = std::int16_t(number);
    group->Description = description;
    return group;
}

// --- Identity and texts -----------------------------------------------------------------------

TEST(GruppeTest, DefaultsFollowTheLanguageAtCreation) {
    const TGruppe german(Language::German);
    EXPECT_EQ(german.BauteilTyp, TBauteilTyp::btGruppe);
    EXPECT_EQ(german.Identifier, "<<KB>>");
    EXPECT_EQ(german.Value, "<<Wert>>");
    EXPECT_EQ(german.Description, "<<Beschreibung>>");
    EXPECT_EQ(german.Number, 0);
    EXPECT_FALSE(german.IsComponent);
    EXPECT_TRUE(german.InComponentsList);

    for (const Language other : {Language::English, Language::French}) {
        const TGruppe group(other);
        EXPECT_EQ(group.Identifier, "<ID>");
        EXPECT_EQ(group.Value, "<value>");
        EXPECT_EQ(group.Description, "<description>");
    }
}

struct KindNameCase {
    const char* identifier;
    int number;
    const char* expected;
};

void PrintTo(const KindNameCase& c, std::ostream* os) {
    *os << c.identifier << c.number;
}

class ComponentKindNameTest : public ::testing::TestWithParam<KindNameCase> {};

TEST_P(ComponentKindNameTest, ShowsIdentifierTextThenDescription) {
    const KindNameCase c = GetParam();
    const auto group = Component(QString::fromLatin1(c.identifier), c.number);
    group->Value = QStringLiteral("10k");
    EXPECT_EQ(group->GetKindName(), QString::fromLatin1(c.expected));
    EXPECT_EQ(group->GetMeasureText(), "10k");
}

INSTANTIATE_TEST_SUITE_P(Identifiers, ComponentKindNameTest,
                         ::testing::Values(KindNameCase{"R#", 12, "R12: desc"},
                                           KindNameCase{"IC1", 7, "IC1: desc"},
                                           // Everything after the "#" is dropped.
                                           KindNameCase{"R#a#b", 3, "R3: desc"},
                                           KindNameCase{"#", -4, "-4: desc"},
                                           KindNameCase{"", 1, ": desc"}));

TEST(GruppeTest, PlainGroupTextsInBothLanguages) {
    for (const Language language : {Language::German, Language::English}) {
        ViewState view;
        view.Sprache = language;
        TPlatine board(view);
        auto* group = static_cast<TGruppe*>(board.Add(std::make_unique<TGruppe>()));
        group->Identifier = QStringLiteral("R#"); // a plain group shows no identity
        for (int i = 0; i < 5; ++i)
            group->AddMember(std::make_unique<ProbeElement>());
        EXPECT_TRUE(group->IdentifierText().isEmpty());
        if (language == Language::German) {
            EXPECT_EQ(group->GetKindName(), "Gruppe ");
            EXPECT_EQ(group->GetMeasureText(), "aus 5 Objekten.");
        } else {
            EXPECT_EQ(group->GetKindName(), "Group ");
            EXPECT_EQ(group->GetMeasureText(), "5 objects");
        }
    }
}

TEST(GruppeTest, PlaceholderLabelsShowTheIdentityAfterPropagation) {
    auto group = Component(QStringLiteral("D#"), 3, QStringLiteral("Diode"));
    group->Value = QStringLiteral("1N4148");
    TTextLabel* identifier = AddLabel(*group, TPlaceholder::Identifier);
    TTextLabel* value = AddLabel(*group, TPlaceholder::Value);
    TTextLabel* description = AddLabel(*group, TPlaceholder::Description);
    TTextLabel* fixed = AddLabel(*group, TPlaceholder::Fixed);

    group->PropagateIdentity();
    EXPECT_EQ(identifier->TextString(), "D3");
    EXPECT_EQ(value->TextString(), "1N4148");
    EXPECT_EQ(description->TextString(), "Diode");
    EXPECT_EQ(fixed->TextString(), "fixed");

    // The label follows a new number only at the next propagation.
    group->Number = 4;
    EXPECT_EQ(identifier->TextString(), "D3");
    group->PropagateIdentity();
    EXPECT_EQ(identifier->TextString(), "D4");

    group->Identifier = QStringLiteral("IC1");
    group->PropagateIdentity();
    EXPECT_EQ(identifier->TextString(), "IC1");
}

TEST(GruppeTest, NestedPlainGroupsTakeTheIdentityAndNestedComponentsKeepTheirs) {
    auto outer = Component(QStringLiteral("T#"), 2, QStringLiteral("Transistor"));
    auto* plain = AddTo(*outer, std::make_unique<TGruppe>());
    TTextLabel* plainLabel = AddLabel(*plain, TPlaceholder::Identifier);
    auto* deeper = AddTo(*plain, std::make_unique<TGruppe>());
    TTextLabel* deeperLabel = AddLabel(*deeper, TPlaceholder::Description);
    auto* inner = AddTo(*outer, Component(QStringLiteral("R#"), 9, QStringLiteral("Resistor")));
    TTextLabel* innerLabel = AddLabel(*inner, TPlaceholder::Identifier);

    outer->PropagateIdentity();

    EXPECT_EQ(plain->Identifier, "T#");
    EXPECT_EQ(plain->Number, 2);
    EXPECT_EQ(plain->Description, "Transistor");
    EXPECT_FALSE(plain->IsComponent);
    EXPECT_EQ(plainLabel->TextString(), "T2");
    EXPECT_EQ(deeper->Description, "Transistor");
    EXPECT_EQ(deeperLabel->TextString(), "Transistor");

    EXPECT_EQ(inner->Identifier, "R#");
    EXPECT_EQ(inner->Number, 9);
    EXPECT_EQ(inner->Description, "Resistor");
    // A nested component's labels are its own business.
    EXPECT_EQ(innerLabel->TextString(), "fixed");
}

// --- The component dialog ---------------------------------------------------------------------

class FakeComponentDialog : public ComponentDialog {
public:
    std::optional<ComponentFields> Ask(const ComponentFields& current) override {
        ++asked;
        shown = current;
        return answer;
    }
    std::optional<ComponentFields> answer;
    ComponentFields shown;
    int asked = 0;
};

class GruppeEditTest : public ::testing::Test {
protected:
    void SetUp() override { TGruppe::SetDialog(&dialog); }
    void TearDown() override { TGruppe::SetDialog(nullptr); }

    FakeComponentDialog dialog;
};

TEST_F(GruppeEditTest, OkCopiesTheFieldsBackCutToTheirRoom) {
    auto group = Component(QStringLiteral("R#"), 5, QStringLiteral("Resistor"));
    group->Value = QStringLiteral("4k7");
    TTextLabel* value = AddLabel(*group, TPlaceholder::Value);
    TTextLabel* identifier = AddLabel(*group, TPlaceholder::Identifier);
    dialog.answer = ComponentFields{QStringLiteral("LED#ABCDEFGHIJ"), QString(45, QLatin1Char('v')),
                                    QString(41, QLatin1Char('d')), false};

    EXPECT_TRUE(group->EditProperties());

    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(dialog.shown, (ComponentFields{QStringLiteral("R#"), QStringLiteral("4k7"),
                                             QStringLiteral("Resistor"), true}));
    EXPECT_EQ(group->Identifier, "LED#ABCDEF");
    EXPECT_EQ(group->Value, QString(40, QLatin1Char('v')));
    EXPECT_EQ(group->Description, QString(40, QLatin1Char('d')));
    EXPECT_FALSE(group->InComponentsList);
    EXPECT_EQ(value->TextString(), QString(40, QLatin1Char('v')));
    EXPECT_EQ(identifier->TextString(), "LED5");
}

TEST_F(GruppeEditTest, CancelKeepsTheFieldsButStillPropagates) {
    auto group = Component(QStringLiteral("C#"), 1);
    TTextLabel* identifier = AddLabel(*group, TPlaceholder::Identifier);
    group->Number = 8; // changed since the labels were last told
    dialog.answer.reset();

    EXPECT_FALSE(group->EditProperties());

    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(group->Identifier, "C#");
    EXPECT_TRUE(group->InComponentsList);
    EXPECT_EQ(identifier->TextString(), "C8");
}

TEST_F(GruppeEditTest, PlainGroupRefusesAtOnce) {
    TGruppe group;
    TTextLabel* identifier = AddLabel(group, TPlaceholder::Identifier);
    dialog.answer = ComponentFields{QStringLiteral("X"), {}, {}, true};

    EXPECT_FALSE(group.EditProperties());
    EXPECT_EQ(dialog.asked, 0);
    EXPECT_EQ(identifier->TextString(), "fixed");
}

TEST(GruppeTest, ComponentWithoutADialogAnswersFalse) {
    TGruppe::SetDialog(nullptr);
    auto group = Component(QStringLiteral("R#"), 2);
    TTextLabel* identifier = AddLabel(*group, TPlaceholder::Identifier);
    EXPECT_FALSE(group->EditProperties());
    EXPECT_EQ(identifier->TextString(), "R2");
}

// --- Members ----------------------------------------------------------------------------------

TEST(GruppeTest, RemoveElementFindsAndDestroysItInNestedGroups) {
    int destroyed = 0;
    TGruppe group;
    auto* first = AddTo(group, std::make_unique<ProbeElement>(Rect{}, "TProbe", &destroyed));
    auto* nested = AddTo(group, std::make_unique<TGruppe>());
    auto* deeper = AddTo(*nested, std::make_unique<TGruppe>());
    auto* deep = AddTo(*deeper, std::make_unique<ProbeElement>(Rect{}, "TProbe", &destroyed));
    auto* last = AddTo(group, std::make_unique<ProbeElement>(Rect{}, "TProbe", &destroyed));

    EXPECT_TRUE(group.RemoveElement(deep));
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(deeper->Members().empty());
    EXPECT_EQ(group.Members().size(), 3u);

    EXPECT_TRUE(group.RemoveElement(first));
    EXPECT_EQ(destroyed, 2);
    ASSERT_EQ(group.Members().size(), 2u);
    EXPECT_EQ(group.Members()[0].get(), nested);
    EXPECT_EQ(group.Members()[1].get(), last);

    ProbeElement stranger;
    EXPECT_FALSE(group.RemoveElement(&stranger));
    EXPECT_FALSE(group.RemoveElement(nullptr));
    EXPECT_EQ(destroyed, 2);
}

TEST(GruppeTest, DestroyingAGroupDestroysNestedMembers) {
    int destroyed = 0;
    {
        TGruppe group;
        group.AddMember(std::make_unique<ProbeElement>(Rect{}, "TProbe", &destroyed));
        auto* nested = AddTo(group, std::make_unique<TGruppe>());
        nested->AddMember(std::make_unique<ProbeElement>(Rect{}, "TProbe", &destroyed));
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(GruppeTest, StripCutsAreFoundInNestedGroups) {
    TGruppe group;
    group.AddMember(std::make_unique<TAuge>());
    auto* nested = AddTo(group, std::make_unique<TGruppe>());
    EXPECT_FALSE(group.ContainsStripCut());
    EXPECT_TRUE(group.HasNoStripCut());
    nested->AddMember(std::make_unique<TTrenner>());
    EXPECT_TRUE(group.ContainsStripCut());
    EXPECT_FALSE(group.HasNoStripCut());
}

// --- Resizing ---------------------------------------------------------------------------------

TEST(GruppeTest, AComponentIsNotResizedAndAPlainGroupIs) {
    const Rect oldRect{0, 0, 100, 100};
    const Rect newRect{10, 20, 210, 70};

    auto component = Component(QStringLiteral("R#"), 1);
    auto* fixed = AddTo(*component, std::make_unique<ProbeElement>(oldRect));
    component->FitToRect(oldRect, newRect);
    EXPECT_TRUE(fixed->moves.empty());
    EXPECT_EQ(fixed->scaleX, 0.0);

    TGruppe plain;
    auto* resized = AddTo(plain, std::make_unique<ProbeElement>(oldRect));
    auto* nestedGroup = AddTo(plain, std::make_unique<TGruppe>());
    auto* nested = AddTo(*nestedGroup, std::make_unique<ProbeElement>(oldRect));
    plain.FitToRect(oldRect, newRect);
    for (const ProbeElement* member : {resized, nested}) {
        ASSERT_EQ(member->moves.size(), 1u);
        EXPECT_EQ(member->moves[0], std::make_pair(10, 20));
        EXPECT_EQ(member->scaleOrigin, QPoint(10, 20));
        EXPECT_DOUBLE_EQ(member->scaleX, 2.0);
        EXPECT_DOUBLE_EQ(member->scaleY, 0.5);
    }
}

} // namespace
} // namespace karvel
