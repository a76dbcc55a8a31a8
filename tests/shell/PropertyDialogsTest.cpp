#include "elements/Txtlabel.h"
#include "shell/DialogAnswer.h"
#include "shell/ElementDialogs.h"
#include "shell/LabelDialog.h"
#include "shell/LibraryPageDialog.h"
#include "shell/NumberField.h"
#include "shell/SettingsDialogs.h"
#include "shell/ShellDialogs.h"

#include <functional>
#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>

namespace karvel {
namespace {

using test::AnswerNextDialog;
using test::DialogButton;
using test::TextsOf;

template <typename Widget> Widget& Child(QDialog& dialog, const char* name) {
    auto* child = dialog.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr)
        throw std::runtime_error(name);
    return *child;
}

QLineEdit& Edit(QDialog& dialog, const char* name) {
    return Child<QLineEdit>(dialog, name);
}

QLineEdit& FieldText(QDialog& dialog, const char* name) {
    return *Child<NumberField>(dialog, name).findChild<QLineEdit*>();
}

// Types into a number field and leaves it, as a user tabbing on would.
void TypeAndLeave(QDialog& dialog, const char* name, const QString& text) {
    NumberField& field = Child<NumberField>(dialog, name);
    field.findChild<QLineEdit*>()->setText(text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&field, &out);
}

void Click(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QPushButton* button = DialogButton(dialog, which);
    ASSERT_NE(button, nullptr);
    button->click();
}

// Presses the Help button, then lets F1 go in a field; each should ask for the topic once.
void AskHelpBothWays(QDialog& dialog, QWidget& field) {
    QAbstractButton* help = DialogButton(dialog, QDialogButtonBox::HelpRole);
    ASSERT_NE(help, nullptr);
    help->click();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&field, &release);
}

struct Topics {
    std::vector<int> Asked;
    HelpRequest Help() {
        return [this](int topic) { Asked.push_back(topic); };
    }
};

// --- Component dialog ----------------------------------------------------------------------------

TEST(ComponentDialogTest, ShowsItsFieldsInBothLanguagesAndCancelGivesNothing) {
    const struct {
        Language Lang;
        const char* Caption;
        std::vector<const char*> Texts;
    } cases[] = {
        {Language::German,
         "Eigenschaften Bauteil",
         {"Kurzbezeichnung", "Wert / Typ", "Beschreibung", "in &Stückliste aufnehmen"}},
        {Language::English,
         "Component properties",
         {"Identifier", "Type/Value", "Description", "Add to components list"}},
    };
    const ComponentFields current{QStringLiteral("R#"), QStringLiteral("4k7"),
                                  QStringLiteral("Kohleschicht"), false};
    for (const auto& c : cases) {
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.Caption));
            const QStringList texts = TextsOf(dialog);
            for (const char* text : c.Texts)
                EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
            EXPECT_EQ(Edit(dialog, "Identifier").text(), u"R#");
            EXPECT_FALSE(Child<QCheckBox>(dialog, "InComponentsList").isChecked());
            EXPECT_EQ(dialog.focusWidget(), &Edit(dialog, "Value"));
            Edit(dialog, "Value").setText(QStringLiteral("10k"));
            Click(dialog, QDialogButtonBox::Cancel);
        });
        EXPECT_EQ(RunComponentDialog(nullptr, current, c.Lang, {}), std::nullopt) << c.Caption;
    }
}

TEST(ComponentDialogTest, OkGivesTheFieldsWithinTheirLengths) {
    AnswerNextDialog([](QDialog& dialog) {
        const struct {
            const char* Field;
            int Length;
        } limits[] = {{"Identifier", 10}, {"Value", 40}, {"Description", 40}};
        for (const auto& limit : limits) {
            QLineEdit& field = Edit(dialog, limit.Field);
            EXPECT_EQ(field.maxLength(), limit.Length) << limit.Field;
            field.setText(QString(limit.Length + 5, u'x'));
        }
        Child<QCheckBox>(dialog, "InComponentsList").setChecked(true);
        Click(dialog, QDialogButtonBox::Ok);
    });
    const std::optional<ComponentFields> answer =
        RunComponentDialog(nullptr, {}, Language::German, {});
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer,
              (ComponentFields{QString(10, u'x'), QString(40, u'x'), QString(40, u'x'), true}));
}

// --- Text label dialog ---------------------------------------------------------------------------

TextLabelFields SampleLabel(int placeholder = 0) {
    TextLabelFields fields;
    fields.Text = QStringLiteral("Versorgung");
    fields.Height = 2.5;
    fields.AngleDegrees = -90;
    fields.FontColour = RgbColour(200, 0, 0);
    fields.Placeholder = placeholder;
    return fields;
}

TEST(TextLabelDialogTest, EachChoicePutsItsTextAndOnlyTheFixedTextCanBeEdited) {
    const struct {
        Language Lang;
        int Choice;
        const char* Text;
    } cases[] = {
        {Language::German, 1, "<<KB>>"},
        {Language::German, 2, "<<Wert>>"},
        {Language::German, 3, "<<Beschreibung>>"},
        {Language::German, 0, "Beschriftung"},
        {Language::English, 1, "<ID>"},
        {Language::English, 2, "<value>"},
        {Language::English, 3, "<description>"},
        {Language::English, 0, "New text label"},
    };
    for (const auto& c : cases) {
        AnswerNextDialog([&](QDialog& dialog) {
            // From another choice, so that the click changes something.
            const int other = c.Choice == 0 ? 2 : 0;
            Child<QRadioButton>(dialog, QStringLiteral("Choice%1").arg(other).toLatin1()).click();
            Child<QRadioButton>(dialog, QStringLiteral("Choice%1").arg(c.Choice).toLatin1())
                .click();
            EXPECT_EQ(Edit(dialog, "Text").text(), QString::fromUtf8(c.Text));
            EXPECT_EQ(Edit(dialog, "Text").isEnabled(), c.Choice == 0) << c.Text;
            Click(dialog, QDialogButtonBox::Ok);
        });
        const std::optional<TextLabelFields> answer =
            RunTextLabelDialog(nullptr, SampleLabel(), c.Lang, {});
        ASSERT_TRUE(answer) << c.Text;
        EXPECT_EQ(answer->Placeholder, c.Choice);
        EXPECT_EQ(answer->Text, QString::fromUtf8(c.Text));
    }
}

TEST(TextLabelDialogTest, ShowsTheLabelAsItIsAndCancelGivesNothing) {
    for (const Language language : {Language::German, Language::English}) {
        const bool english = language == Language::English;
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), english ? u"Properties text" : u"Eigenschaften Text");
            const QStringList texts = TextsOf(dialog);
            for (const char* text :
                 english ? std::vector{"Fixed", "Reserved for component data...", "Identifier",
                                       "Height [mm]:", "Angle [°]:"}
                         : std::vector{"fester Text:", "Bauteileigenschaft: Kurzbezeichnung",
                                       "Höhe in mm:", "Winkel°:"})
                EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
            // A placeholder keeps the label's own text until another choice is clicked.
            EXPECT_EQ(Edit(dialog, "Text").text(), u"Versorgung");
            EXPECT_FALSE(Edit(dialog, "Text").isEnabled());
            EXPECT_TRUE(Child<QRadioButton>(dialog, "Choice3").isChecked());
            EXPECT_EQ(Edit(dialog, "Text").maxLength(), 200);
            EXPECT_EQ(Edit(dialog, "Text").font().pixelSize(), 16);
            EXPECT_EQ(FieldText(dialog, "Height").text(), u"2.5");
            EXPECT_EQ(FieldText(dialog, "Angle").text(), u"-90");
            Child<QRadioButton>(dialog, "Choice0").click();
            Click(dialog, QDialogButtonBox::Cancel);
        });
        EXPECT_EQ(RunTextLabelDialog(nullptr, SampleLabel(3), language, {}), std::nullopt);
    }
}

TEST(TextLabelDialogTest, HeightAndAngleAreHeldToTheirLimits) {
    const struct {
        const char* Height;
        const char* Angle;
        double ShownHeight;
        double ShownAngle;
    } cases[] = {
        {"150", "120", 99.9, 90},
        {"0,5", "-100", 1.0, -90},
        {"12,34", "45,6", 12.3, 46},
        {"abc", "abc", 1.0, 0},
    };
    for (const auto& c : cases) {
        AnswerNextDialog([&](QDialog& dialog) {
            TypeAndLeave(dialog, "Height", QString::fromLatin1(c.Height));
            TypeAndLeave(dialog, "Angle", QString::fromLatin1(c.Angle));
            Click(dialog, QDialogButtonBox::Ok);
        });
        const std::optional<TextLabelFields> answer =
            RunTextLabelDialog(nullptr, SampleLabel(), Language::German, {});
        ASSERT_TRUE(answer) << c.Height;
        EXPECT_FLOAT_EQ(float(answer->Height), float(c.ShownHeight)) << c.Height;
        EXPECT_FLOAT_EQ(float(answer->AngleDegrees), float(c.ShownAngle)) << c.Angle;
    }
}

TEST(TextLabelDialogTest, AFontChosenInPointsSetsTheHeightInMillimetres) {
    AnswerNextDialog([](QDialog& dialog) {
        AnswerNextDialog([](QDialog& fonts) {
            auto* chooser = qobject_cast<QFontDialog*>(&fonts);
            ASSERT_NE(chooser, nullptr);
            QFont chosen(QStringLiteral("DejaVu Serif"));
            chosen.setPointSize(12);
            chosen.setItalic(true);
            chosen.setUnderline(true);
            chooser->setCurrentFont(chosen);
            chooser->accept();
        });
        Child<QPushButton>(dialog, "FontButton").click();
        EXPECT_EQ(FieldText(dialog, "Height").text(), u"4.2");
        Click(dialog, QDialogButtonBox::Ok);
    });
    const std::optional<TextLabelFields> answer =
        RunTextLabelDialog(nullptr, SampleLabel(), Language::German, {});
    ASSERT_TRUE(answer);
    EXPECT_FLOAT_EQ(float(answer->Height), 4.2F);
    EXPECT_TRUE(answer->Font.Italic);
    EXPECT_TRUE(answer->Font.Underline);
    EXPECT_FALSE(answer->Font.Bold);
    EXPECT_TRUE(answer->Font.Face.startsWith(QStringLiteral("DejaVu")))
        << answer->Font.Face.toStdString();
    EXPECT_EQ(answer->FontColour, RgbColour(200, 0, 0)) << "the font keeps the label's colour";
}

TEST(TextLabelDialogTest, FontSizesBecomeMillimetres) {
    const struct {
        double Points;
        double Millimetres;
    } cases[] = {{12, 4.2333333}, {-12, 4.2333333}, {72, 25.4}, {0, 0}, {8.5, 2.9986111}};
    for (const auto& c : cases) {
        EXPECT_NEAR(FontHeightMillimetres(c.Points), c.Millimetres, 1e-6) << c.Points;
        if (c.Points > 0) {
            EXPECT_NEAR(FontPoints(c.Millimetres), c.Points, 1e-6) << c.Points;
        }
    }
}

TEST(TextLabelDialogTest, TheColourButtonSetsTheFontColour) {
    AnswerNextDialog([](QDialog& dialog) {
        AnswerNextDialog([](QDialog& colours) {
            auto* chooser = qobject_cast<QColorDialog*>(&colours);
            ASSERT_NE(chooser, nullptr);
            chooser->setCurrentColor(QColor(0, 0, 255));
            chooser->accept();
        });
        Child<QPushButton>(dialog, "ColourButton").click();
        Click(dialog, QDialogButtonBox::Ok);
    });
    const std::optional<TextLabelFields> answer =
        RunTextLabelDialog(nullptr, SampleLabel(), Language::English, {});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->FontColour, RgbColour(0, 0, 255));
}

// The label reads the height field in 72ths of an inch: 12 points make a stored height of
// 4.2 mm, as the field shows it.
TEST(TextLabelDialogTest, ALabelEditedThroughTheDialogTakesTheShownHeight) {
    TTextLabel label;
    label.TextHeight = 250;
    const ElementDialogScope scope(nullptr, Language::German, {});
    AnswerNextDialog([](QDialog& dialog) {
        EXPECT_EQ(FieldText(dialog, "Height").text(), u"2.5");
        AnswerNextDialog([](QDialog& fonts) {
            QFont chosen(QStringLiteral("DejaVu Sans"));
            chosen.setPointSize(12);
            qobject_cast<QFontDialog*>(&fonts)->setCurrentFont(chosen);
            fonts.accept();
        });
        Child<QPushButton>(dialog, "FontButton").click();
        Click(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(label.EditProperties());
    EXPECT_EQ(label.TextHeight, 420);
}

// --- Drilling, help topics -------------------------------------------------------------------

TEST(ElementDialogsTest, ADrillingIsAskedByTheSizeDialog) {
    Topics topics;
    QtDrillingDialog drilling(nullptr, Language::English, topics.Help());
    const struct {
        const char* Typed;
        double Answer;
    } cases[] = {{"0,05", double(0.2F)}, {"150", 100.0}, {"1,3", double(1.3F)}};
    for (const auto& c : cases) {
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), u"Drilling");
            EXPECT_EQ(FieldText(dialog, "Diameter").text(), u"0.8");
            FieldText(dialog, "Diameter").setText(QString::fromLatin1(c.Typed));
            Click(dialog, QDialogButtonBox::Ok);
        });
        EXPECT_EQ(drilling.Ask(QStringLiteral("Drilling"), 0.8), c.Answer) << c.Typed;
    }
}

TEST(ElementDialogsTest, HelpAndF1OpenEachDialogsTopic) {
    Topics topics;
    const HelpRequest help = topics.Help();
    const struct {
        const char* Name;
        int Topic;
        std::function<void()> Run;
        const char* Field;
    } cases[] = {
        {"component", 17000, [&] { RunComponentDialog(nullptr, {}, Language::German, help); },
         "Value"},
        {"text label", 10000,
         [&] { RunTextLabelDialog(nullptr, SampleLabel(), Language::German, help); }, "Text"},
        {"drilling", 10000,
         [&] { QtDrillingDialog(nullptr, Language::German, help).Ask(QStringLiteral("B"), 1); },
         "Diameter"},
        {"board properties", 3000,
         [&] { RunBoardPropertiesDialog(nullptr, {}, false, Language::German, help); }, "Name"},
        {"auto-save", 9000, [&] { RunAutoSaveDialog(nullptr, {}, Language::German, help); },
         "Minutes"},
        {"library page", 16000,
         [&] {
             RunLibraryPageDialog(nullptr, Language::German, QStringLiteral("Dioden"),
                                  QStringLiteral("dioden.lib"), help);
         },
         "PageName"},
    };
    for (const auto& c : cases) {
        topics.Asked.clear();
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(DialogButton(dialog, QDialogButtonBox::HelpRole)->text(), u"&Hilfe...");
            EXPECT_EQ(DialogButton(dialog, QDialogButtonBox::Cancel)->text(), u"&Abbrechen");
            AskHelpBothWays(dialog, *dialog.findChild<QWidget*>(QString::fromLatin1(c.Field)));
            EXPECT_TRUE(dialog.isVisible()) << c.Name;
        });
        c.Run();
        EXPECT_EQ(topics.Asked, (std::vector<int>{c.Topic, c.Topic})) << c.Name;
    }
}

// --- Characters the stored files cannot hold -------------------------------------------------

// Every field whose text is stored says at once what would turn into "?", keeps OK from taking
// it, and writes a usual spelling only when the user follows the offer.
TEST(StorableTextTest, StoredFieldsTellWhatTheFileCannotHold) {
    const struct {
        const char* name;
        const char* field;
        std::function<QString()> run; // the field's text as OK gives it
    } dialogs[] = {{"identifier", "Identifier",
                    [] {
                        const auto answer = RunComponentDialog(nullptr, {}, Language::German, {});
                        return answer ? answer->Identifier : QString();
                    }},
                   {"value", "Value",
                    [] {
                        const auto answer = RunComponentDialog(nullptr, {}, Language::German, {});
                        return answer ? answer->Value : QString();
                    }},
                   {"description", "Description",
                    [] {
                        const auto answer = RunComponentDialog(nullptr, {}, Language::German, {});
                        return answer ? answer->Description : QString();
                    }},
                   {"board name", "Name",
                    [] {
                        const auto answer =
                            RunBoardPropertiesDialog(nullptr, {}, true, Language::German, {});
                        return answer ? answer->Name : QString();
                    }},
                   {"label text", "Text",
                    [] {
                        const auto answer = RunTextLabelDialog(nullptr, {}, Language::German, {});
                        return answer ? answer->Text : QString();
                    }},
                   {"page name", "PageName", [] {
                        return RunLibraryPageDialog(nullptr, Language::German, QString(),
                                                    QStringLiteral("LIB1.Lib"), {})
                            .value_or(QString());
                    }}};
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.name);
        AnswerNextDialog([&](QDialog& dialog) {
            QLineEdit& field = Edit(dialog, d.field);
            auto& note = Child<QLabel>(dialog, (std::string(d.field) + "Note").c_str());
            QPushButton* ok = DialogButton(dialog, QDialogButtonBox::Ok);
            EXPECT_TRUE(ok->isEnabled());
            EXPECT_TRUE(note.text().isEmpty());

            field.setText(QStringLiteral("Ü 1Ω 😀"));
            EXPECT_TRUE(note.text().contains(QStringLiteral("„Ω“, „😀“ können nicht gespeichert")))
                << note.text().toStdString();
            EXPECT_TRUE(note.text().contains(QStringLiteral("„Ω“ → „Ohm“")));
            EXPECT_FALSE(ok->isEnabled()) << "nothing becomes \"?\" unseen";
            EXPECT_EQ(field.text(), u"Ü 1Ω 😀") << "nothing is changed unasked";

            Q_EMIT note.linkActivated(QStringLiteral("spelling"));
            EXPECT_EQ(field.text(), u"Ü 1Ohm 😀");
            EXPECT_FALSE(note.text().contains(QStringLiteral("<a"))) << "no spelling for 😀";
            EXPECT_FALSE(ok->isEnabled());

            field.setText(QStringLiteral("Ü 1Ω"));
            Q_EMIT note.linkActivated(QStringLiteral("spelling"));
            EXPECT_TRUE(note.text().isEmpty());
            ASSERT_TRUE(ok->isEnabled());
            ok->click();
        });
        EXPECT_EQ(d.run(), u"Ü 1Ohm");
    }
}

TEST(StorableTextTest, TheNoteSpeaksEnglishToo) {
    AnswerNextDialog([](QDialog& dialog) {
        Edit(dialog, "PageName").setText(QStringLiteral("Ω"));
        EXPECT_EQ(Child<QLabel>(dialog, "PageNameNote").text(),
                  u"\"Ω\" cannot be stored. <a href=\"spelling\">Replace: \"Ω\" → \"Ohm\"</a>");
    });
    RunLibraryPageDialog(nullptr, Language::English, QString(), QStringLiteral("LIB1.Lib"), {});
}

// --- Settings dialogs ----------------------------------------------------------------------------

TEST(BoardPropertiesDialogTest, ShowsTheBoardAndTheDefaultButtonFillsAStandardBoard) {
    const BoardPropertiesText current{QStringLiteral("Netzteil"), QStringLiteral("80"),
                                      QStringLiteral("50"), QStringLiteral("0"),
                                      QStringLiteral("0")};
    for (const Language language : {Language::German, Language::English}) {
        const bool english = language == Language::English;
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(),
                      english ? u"Board properties" : u"Eigenschaften Platine");
            const QStringList texts = TextsOf(dialog);
            for (const char* text :
                 english ? std::vector{"Name", "Size", "Offset", "Width", "Height", "x", "y", "mm"}
                         : std::vector{"Name", "Größe", "Offset", "Breite", "Höhe", "x", "y", "mm"})
                EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
            EXPECT_EQ(Edit(dialog, "Name").text(), u"Netzteil");
            EXPECT_EQ(Edit(dialog, "Name").maxLength(), 36) << "what a stored board keeps";
            EXPECT_EQ(dialog.focusWidget(), &Edit(dialog, "Name"));
            EXPECT_EQ(Edit(dialog, "Width").text(), u"80");
            QAbstractButton* standard = DialogButton(dialog, QDialogButtonBox::ResetRole);
            ASSERT_NE(standard, nullptr);
            EXPECT_EQ(standard->text(), english ? u"&Default" : u"&Standard");
            standard->click();
            Click(dialog, QDialogButtonBox::Ok);
        });
        const std::optional<BoardPropertiesText> answer =
            RunBoardPropertiesDialog(nullptr, current, false, language, {});
        ASSERT_TRUE(answer);
        const QString point = english ? QStringLiteral(".") : QStringLiteral(",");
        const QStringList given{answer->Name, answer->Width, answer->Height, answer->X, answer->Y};
        EXPECT_EQ(given.join(u' ').toStdString(),
                  (QStringLiteral("Netzteil 160 100 1") + point + QStringLiteral("27 2") + point +
                   QStringLiteral("05"))
                      .toStdString());
    }
}

// The size also reads in columns × rows of whole holes, each side following the other, and a
// size whose edge runs through a drilling of the layout says so while it is typed.
TEST(BoardPropertiesDialogTest, TheSizeInHolesFollowsTheMillimetresAndCutHolesAreTold) {
    const BoardPropertiesText current{QStringLiteral("Blinker"), QStringLiteral("80"),
                                      QStringLiteral("50"), QStringLiteral("0"),
                                      QStringLiteral("0")};
    // A drilling on every hole of column 30 that an 80 × 50 mm board holds.
    std::vector<Rect> holes;
    for (int row = 0; row < 19; ++row)
        holes.push_back(SquareAround({30 * 254, row * 254 + 127}, 50));
    for (const Language language : {Language::German, Language::English}) {
        const bool english = language == Language::English;
        AnswerNextDialog([&](QDialog& dialog) {
            auto& columns = Child<QSpinBox>(dialog, "Columns");
            auto& rows = Child<QSpinBox>(dialog, "Rows");
            auto& note = Child<QLabel>(dialog, "CutHoles");
            EXPECT_EQ(columns.value(), 30);
            EXPECT_EQ(rows.value(), 19);
            EXPECT_TRUE(note.isHidden());
            EXPECT_TRUE(TextsOf(dialog).contains(english ? u"Columns" : u"Spalten"));
            EXPECT_TRUE(TextsOf(dialog).contains(english ? u"Rows" : u"Zeilen"));

            Edit(dialog, "Width")
                .setText(english ? QStringLiteral("76.2") : QStringLiteral("76,2"));
            EXPECT_EQ(columns.value(), 29);
            EXPECT_FALSE(note.isHidden());
            EXPECT_EQ(note.text(), CutHolesMessage(19, language));

            columns.setValue(30);
            EXPECT_EQ(Edit(dialog, "Width").text(),
                      english ? QStringLiteral("77.47") : QStringLiteral("77,47"));
            EXPECT_TRUE(note.isHidden());
            rows.setValue(10);
            EXPECT_EQ(Edit(dialog, "Height").text(),
                      english ? QStringLiteral("25.4") : QStringLiteral("25,4"));
            Click(dialog, QDialogButtonBox::Ok);
        });
        const std::optional<BoardPropertiesText> answer =
            RunBoardPropertiesDialog(nullptr, current, false, language, {}, holes);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->Width, english ? QStringLiteral("77.47") : QStringLiteral("77,47"));
        EXPECT_EQ(answer->Height, english ? QStringLiteral("25.4") : QStringLiteral("25,4"));
    }
}

TEST(BoardPropertiesDialogTest, RenamingLeavesOnlyTheNameOpenAndCancelGivesNothing) {
    AnswerNextDialog([](QDialog& dialog) {
        for (const char* field : {"Width", "Height", "X", "Y"})
            EXPECT_FALSE(Edit(dialog, field).isEnabled()) << field;
        EXPECT_FALSE(DialogButton(dialog, QDialogButtonBox::ResetRole)->isEnabled());
        EXPECT_TRUE(Edit(dialog, "Name").isEnabled());
        Edit(dialog, "Name").setText(QStringLiteral("Neu"));
        Click(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(RunBoardPropertiesDialog(nullptr, {QStringLiteral("Alt"), {}, {}, {}, {}}, true,
                                       Language::German, {}),
              std::nullopt);
}

TEST(UndoDepthDialogTest, SpeaksThreeLanguagesAndHasNoHelp) {
    const struct {
        Language Lang;
        const char* Caption;
        const char* Group;
        const char* Explanation;
        const char* Cancel;
    } cases[] = {
        {Language::German, "Rückgängig", "Anzahl der Rückgängig-Aktionen",
         "Der Maximalwert liegt bei 50 Aktionen.\nWenn Ihr System", "&Abbrechen"},
        {Language::English, "UNDO", "Number of UNDO operations",
         "The maximum is 50 operations\nIf your system", "&Cancel"},
        {Language::French, "Retour en arrière", "Nombre d´opérations de retour en arrière",
         "Le maximum d´opérations est de 50.\nSi votre système", "&Annuler"},
    };
    for (const auto& c : cases) {
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.Caption));
            const QStringList texts = TextsOf(dialog);
            EXPECT_TRUE(texts.contains(QString::fromUtf8(c.Group))) << c.Caption;
            EXPECT_TRUE(texts.join(u'|').contains(QString::fromUtf8(c.Explanation))) << c.Caption;
            EXPECT_EQ(DialogButton(dialog, QDialogButtonBox::Cancel)->text(),
                      QString::fromUtf8(c.Cancel));
            EXPECT_EQ(DialogButton(dialog, QDialogButtonBox::HelpRole), nullptr);
            EXPECT_EQ(FieldText(dialog, "Steps").text(), u"12");
            TypeAndLeave(dialog, "Steps", QStringLiteral("30"));
            Click(dialog, QDialogButtonBox::Cancel);
        });
        EXPECT_EQ(RunUndoDepthDialog(nullptr, 12, c.Lang), std::nullopt) << c.Caption;
    }
}

TEST(UndoDepthDialogTest, TheDepthIsAWholeNumberFromOneToFifty) {
    const struct {
        const char* Typed;
        int Depth;
    } cases[] = {{"80", 50}, {"0", 1}, {"-3", 1}, {"7", 7}, {"7,6", 8}, {"abc", 1}};
    for (const auto& c : cases) {
        AnswerNextDialog([&](QDialog& dialog) {
            TypeAndLeave(dialog, "Steps", QString::fromLatin1(c.Typed));
            Click(dialog, QDialogButtonBox::Ok);
        });
        EXPECT_EQ(RunUndoDepthDialog(nullptr, 10, Language::German), c.Depth) << c.Typed;
    }
}

TEST(AutoSaveDialogTest, TheMinutesCountOnlyWhileTheBoxIsChecked) {
    for (const Language language : {Language::German, Language::English}) {
        const bool english = language == Language::English;
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), english ? u"AutoSave" : u"AutoSpeichern");
            const QStringList texts = TextsOf(dialog);
            for (const char* text :
                 english ? std::vector{"Interval", "Save changes every...", "minutes"}
                         : std::vector{"Intervall", "Arbeit automatisch &sichern, alle", "Minuten"})
                EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
            auto& enabled = Child<QCheckBox>(dialog, "Enabled");
            auto& minutes = Child<NumberField>(dialog, "Minutes");
            EXPECT_FALSE(enabled.isChecked());
            EXPECT_FALSE(minutes.isEnabled());
            enabled.click();
            EXPECT_TRUE(minutes.isEnabled());
            TypeAndLeave(dialog, "Minutes", QStringLiteral("90"));
            EXPECT_EQ(FieldText(dialog, "Minutes").text(), u"60");
            Click(dialog, QDialogButtonBox::Ok);
        });
        EXPECT_EQ(RunAutoSaveDialog(nullptr, {false, 15}, language, {}),
                  (AutoSaveSettings{true, 60}));
    }
    AnswerNextDialog([](QDialog& dialog) {
        Child<QCheckBox>(dialog, "Enabled").click();
        EXPECT_FALSE(Child<NumberField>(dialog, "Minutes").isEnabled());
        Click(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(RunAutoSaveDialog(nullptr, {true, 15}, Language::German, {}), std::nullopt);
}

TEST(LibraryPageDialogTest, ShowsTheNameBesideTheFile) {
    for (const Language language : {Language::German, Language::English}) {
        const bool english = language == Language::English;
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), english ? u"Library" : u"Bibliothek");
            const QStringList texts = TextsOf(dialog);
            EXPECT_TRUE(texts.contains(english ? u"Name" : u"Bezeichnung:"));
            EXPECT_TRUE(texts.contains(english ? u"File" : u"Datei:"));
            EXPECT_TRUE(texts.contains(u"transistoren.lib"));
            EXPECT_EQ(Edit(dialog, "PageName").text(), QString(36, u'T'));
            Edit(dialog, "PageName").setText(QStringLiteral("Transistoren"));
            Click(dialog, QDialogButtonBox::Ok);
        });
        EXPECT_EQ(RunLibraryPageDialog(nullptr, language, QString(40, u'T'),
                                       QStringLiteral("transistoren.lib"), {}),
                  QStringLiteral("Transistoren"));
    }
    AnswerNextDialog([](QDialog& dialog) { Click(dialog, QDialogButtonBox::Cancel); });
    EXPECT_EQ(RunLibraryPageDialog(nullptr, Language::German, QStringLiteral("A"),
                                   QStringLiteral("a.lib"), {}),
              std::nullopt);
}

// The desktop's dialogs open the manual of the program folder through OpenManual.
TEST(LibraryPageDialogTest, TheDesktopDialogsOpenTheManualOfTheirLanguage) {
    QTemporaryDir folder;
    for (const char* manual : {"Anleitung", "Manual"}) {
        QDir(folder.path()).mkpath(QString::fromLatin1(manual));
        QFile file(folder.filePath(QString::fromLatin1(manual) + QStringLiteral("/Karvel30.html")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    struct Recording : QtShellDialogs {
        using QtShellDialogs::QtShellDialogs;
        bool OpenManual(const QString& file, int topic, Language) override {
            opened.emplace_back(file, topic);
            return true;
        }
        std::vector<std::pair<QString, int>> opened;
    } dialogs(folder.path());
    const auto pressHelp = [](QDialog& dialog) {
        DialogButton(dialog, QDialogButtonBox::HelpRole)->click();
    };
    AnswerNextDialog(pressHelp);
    dialogs.AskLibraryPageName(nullptr, Language::English, QStringLiteral("A"),
                               QStringLiteral("a.lib"));
    AnswerNextDialog(pressHelp);
    dialogs.EditAutoSave(nullptr, {}, Language::German);
    AnswerNextDialog(pressHelp);
    dialogs.EditBoardProperties(nullptr, {}, false, Language::German, {});
    const QString english = folder.filePath(QStringLiteral("Manual/Karvel30.html"));
    const QString german = folder.filePath(QStringLiteral("Anleitung/Karvel30.html"));
    EXPECT_EQ(dialogs.opened, (std::vector<std::pair<QString, int>>{
                                  {english, 16000}, {german, 9000}, {german, 3000}}));
}

} // namespace
} // namespace karvel
