// The starter library committed under resources/Library: both language sets load, survive a
// save unchanged and hold the same parts; every part is a component with its texts and its
// contacts in hole centres; two-lead parts stretch; and on real boards the continuity probe
// finds each contact on the strip it belongs to.

#include "assistant/Farbcode.h"
#include "board/Bibo.h"
#include "board/Board.h"
#include "board/Continuity.h"
#include "board/ProjectFile.h"
#include "elements/Draht.h"
#include "elements/Gruppe.h"
#include "elements/Txtlabel.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <map>
#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QImage>
#include <set>

namespace karvel {
namespace {

constexpr int Pitch = 254;

QString LibraryFolder(const char* language) {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources/Library/") + QString::fromLatin1(language);
}

QString LayoutFile(const char* name) {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources/Board Layouts/") + QString::fromUtf8(name);
}

QStringList PageFiles(const char* language) {
    return QDir(LibraryFolder(language))
        .entryList({QStringLiteral("*.lib")}, QDir::Files, QDir::Name);
}

bool IsHoleCentre(QPoint p) {
    return p.x() % Pitch == 0 && (p.y() - Pitch / 2) % Pitch == 0;
}

QPoint HoleOf(QPoint p) {
    return {p.x() / Pitch, p.y() / Pitch};
}

// The contacts of a part in its order, each with the member that carries it.
struct Contact {
    QPoint Point;
    TDraht* Member;
};
std::vector<Contact> Contacts(TGruppe& part) {
    std::vector<Contact> contacts;
    for (const auto& member : part.Members()) {
        auto* wire = dynamic_cast<TDraht*>(member.get());
        if (wire == nullptr || wire->GetContactCount() == 0)
            continue;
        std::vector<QPoint*> points;
        wire->FillContacts(points);
        for (QPoint* p : points)
            contacts.push_back({*p, wire});
    }
    return contacts;
}

class StarterPage : public ::testing::TestWithParam<std::pair<const char*, QString>> {
protected:
    void SetUp() override {
        path_ = LibraryFolder(GetParam().first) + u'/' + GetParam().second;
        const std::optional<StreamError> error = ReadLibraryPage(path_, page_);
        ASSERT_FALSE(error.has_value()) << error->what();
        ASSERT_GT(page_.Count(), 0);
    }
    std::vector<TGruppe*> Parts() const {
        std::vector<TGruppe*> parts;
        for (const auto& element : page_.Bauteile())
            parts.push_back(dynamic_cast<TGruppe*>(element.get()));
        return parts;
    }

    ViewState view_;
    TBibo page_{view_};
    QString path_;
};

std::vector<std::pair<const char*, QString>> AllPages() {
    std::vector<std::pair<const char*, QString>> pages;
    for (const char* language : {"de", "en"})
        for (const QString& file : PageFiles(language))
            pages.emplace_back(language, file);
    return pages;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, StarterPage, ::testing::ValuesIn(AllPages()),
                         [](const auto& info) {
                             return std::string(info.param.first) + "_" +
                                    QFileInfo(info.param.second).baseName().toStdString();
                         });

TEST_P(StarterPage, SurvivesASaveUnchanged) {
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString copy = QDir::temp().filePath(QStringLiteral("karvel-starter-page.lib"));
    ASSERT_TRUE(SaveLibraryPage(copy, page_).isEmpty());
    QFile written(copy);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll() == file.readAll());
    written.remove();
}

TEST_P(StarterPage, HoldsOnlyComponentsWithTheirTexts) {
    EXPECT_FALSE(page_.PlatinenName().isEmpty());
    EXPECT_LE(page_.PlatinenName().size(), 36);
    for (TGruppe* part : Parts()) {
        ASSERT_NE(part, nullptr) << "a page holds nothing but groups";
        const std::string name = part->Description.toStdString();
        EXPECT_TRUE(part->IsComponent) << name;
        EXPECT_TRUE(part->Identifier.endsWith(u'#')) << name;
        EXPECT_FALSE(part->Value.isEmpty()) << name;
        EXPECT_FALSE(part->Value.contains(u'?')) << name << ": placing would ask for a value";
        EXPECT_FALSE(part->Description.isEmpty());
        EXPECT_LE(part->Description.size(), TGruppe::DescriptionLength) << name;
        std::set<std::uint8_t> placeholders;
        for (const auto& member : part->Members()) {
            EXPECT_TRUE(member->InGroup) << name;
            if (const auto* label = dynamic_cast<const TTextLabel*>(member.get()))
                placeholders.insert(label->Placeholder);
        }
        EXPECT_TRUE(placeholders.contains(std::uint8_t(TPlaceholder::Identifier))) << name;
        EXPECT_TRUE(placeholders.contains(std::uint8_t(TPlaceholder::Value))) << name;
    }
}

TEST_P(StarterPage, EveryContactLiesInAHoleCentreOfItsOwn) {
    for (TGruppe* part : Parts()) {
        const std::string name = part->Description.toStdString();
        const std::vector<Contact> contacts = Contacts(*part);
        EXPECT_GE(contacts.size(), 2u) << name;
        EXPECT_EQ(int(contacts.size()), part->GetContactCount()) << name;
        std::set<std::pair<int, int>> holes;
        for (const Contact& contact : contacts) {
            EXPECT_TRUE(IsHoleCentre(contact.Point))
                << name << " at " << contact.Point.x() << "," << contact.Point.y();
            ASSERT_EQ(contact.Member->Anchors.size(), 1u) << name;
            EXPECT_EQ(contact.Member->Anchors[0], HoleOf(contact.Point)) << name;
            holes.insert({contact.Point.x(), contact.Point.y()});
        }
        EXPECT_EQ(holes.size(), contacts.size()) << name << ": two contacts in one hole";
    }
}

// A part with two leads is placed by stretching them from hole to hole; parts with pins are
// placed whole.
TEST_P(StarterPage, PartsWithTwoLeadsStretchAlongThem) {
    for (TGruppe* part : Parts()) {
        const std::vector<Contact> contacts = Contacts(*part);
        const bool twoLeads = contacts.size() == 2 &&
                              contacts[0].Member->BauteilTyp == TBauteilTyp::btAnschluss &&
                              contacts[1].Member->BauteilTyp == TBauteilTyp::btAnschluss;
        EXPECT_EQ(part->CanStretchLeads(), twoLeads) << part->Description.toStdString();
    }
}

// The library's resistors kept their 10k bands whatever value the user gave them, on screen
// and on the printed page. The value is given as the component dialog does: the fields, then
// the identity passed on to the members.
TEST(DatagenStarterLibraryTest, ResistorBandsFollowTheValueTheUserGives) {
    enum : int { Brown = 1, Orange = 3, Yellow = 4, Blue = 6, Violet = 7, Grey = 8 };
    const struct {
        const char* value;
        std::array<int, 3> bands;
    } values[] = {{"68k", {Blue, Grey, Orange}}, {"470", {Yellow, Violet, Brown}}};
    ViewState view;
    int resistors = 0;
    for (const char* language : {"de", "en"}) {
        for (const QString& file : PageFiles(language)) {
            TBibo page(view);
            ASSERT_FALSE(ReadLibraryPage(LibraryFolder(language) + u'/' + file, page));
            for (const auto& element : page.Bauteile()) {
                auto* part = dynamic_cast<TGruppe*>(element.get());
                if (part == nullptr || part->Identifier != QStringLiteral("R#"))
                    continue;
                ++resistors;
                const std::string name = part->Description.toStdString();
                const TFarbcode* code = nullptr;
                for (const auto& member : part->Members())
                    if (const auto* found = dynamic_cast<const TFarbcode*>(member.get()))
                        code = found;
                ASSERT_NE(code, nullptr) << name << " has no colour code";
                for (const auto& [value, bands] : values) {
                    part->Value = QString::fromLatin1(value);
                    part->PropagateIdentity();
                    for (int number = 1; number <= 3; ++number) {
                        const Colour expected = TFarbcode::Colours[std::size_t(bands[number - 1])];
                        const TDraht& band = *code->Band(number);
                        EXPECT_EQ(band.Stiftfarbe(), expected) << name << " " << value;
                        // Drawn where the band lies, at 0.1 mm a pixel, a quarter along it
                        // (a standing resistor's bent lead crosses its middle).
                        const QPoint middle = (band.Nodes.front() * 3 + band.Nodes.back()) / 4;
                        QImage image(middle.x() / 10 + 20, middle.y() / 10 + 20,
                                     QImage::Format_RGB32);
                        image.fill(Qt::white);
                        {
                            Canvas canvas(image);
                            canvas.SetMapping({0, 0}, {10, 10}, {0, 0}, {1, 1});
                            part->Draw(canvas);
                        }
                        EXPECT_EQ(image.pixel(middle / 10) & 0xFFFFFF,
                                  ToQColor(expected).rgb() & 0xFFFFFF)
                            << name << " " << value << " band " << number;
                    }
                    EXPECT_FALSE(code->Band(4)->Stiftbreite() > 0) << name << ": three bands";
                }
            }
        }
    }
    EXPECT_GT(resistors, 0) << "the pages hold resistors";
}

TEST(DatagenStarterLibraryTest, BothLanguagesHoldTheSamePartsInTheSamePlaces) {
    const QStringList files = PageFiles("de");
    ASSERT_EQ(files.size(), 9);
    EXPECT_EQ(PageFiles("en"), files);
    ViewState view;
    for (const QString& file : files) {
        TBibo german(view), english(view);
        ASSERT_FALSE(ReadLibraryPage(LibraryFolder("de") + u'/' + file, german).has_value());
        ASSERT_FALSE(ReadLibraryPage(LibraryFolder("en") + u'/' + file, english).has_value());
        EXPECT_NE(german.PlatinenName(), english.PlatinenName()) << file.toStdString();
        ASSERT_EQ(german.Count(), english.Count()) << file.toStdString();
        for (int i = 0; i < german.Count(); ++i) {
            auto& a = static_cast<TGruppe&>(*german.At(i));
            auto& b = static_cast<TGruppe&>(*english.At(i));
            std::vector<QPoint> pa, pb;
            for (const Contact& c : Contacts(a))
                pa.push_back(c.Point);
            for (const Contact& c : Contacts(b))
                pb.push_back(c.Point);
            EXPECT_EQ(pa, pb) << a.Description.toStdString() << " / "
                              << b.Description.toStdString();
            EXPECT_EQ(a.CanStretchLeads(), b.CanStretchLeads()) << a.Description.toStdString();
        }
    }
}

TEST(DatagenStarterLibraryTest, ThePagesHoldWhatABeginnerNeeds) {
    ViewState view;
    std::map<QString, QStringList> descriptions;
    for (const QString& file : PageFiles("en")) {
        TBibo page(view);
        ASSERT_FALSE(ReadLibraryPage(LibraryFolder("en") + u'/' + file, page).has_value());
        for (const auto& element : page.Bauteile())
            descriptions[page.PlatinenName()] << static_cast<TGruppe&>(*element).Description;
    }
    const auto has = [&](const char* page, const char* text) {
        return descriptions[QString::fromUtf8(page)].join(u'\n').contains(QString::fromUtf8(text));
    };
    EXPECT_TRUE(has("Resistors", "0.25 W, 7.62 mm"));
    EXPECT_TRUE(has("Resistors", "0.25 W, 10.16 mm"));
    EXPECT_TRUE(has("Resistors", "0.6 W"));
    EXPECT_TRUE(has("Resistors", "standing"));
    EXPECT_TRUE(has("Capacitors", "Ceramic, 2.54"));
    EXPECT_TRUE(has("Capacitors", "Ceramic, 5.08"));
    EXPECT_TRUE(has("Capacitors", "Film"));
    EXPECT_TRUE(has("Capacitors", "Electrolytic 5 mm, 2.54"));
    EXPECT_TRUE(has("Capacitors", "Electrolytic 10 mm, 5.08"));
    EXPECT_TRUE(has("Capacitors", "Electrolytic axial"));
    EXPECT_TRUE(has("Diodes and LEDs", "DO-35"));
    EXPECT_TRUE(has("Diodes and LEDs", "DO-41"));
    EXPECT_TRUE(has("Diodes and LEDs", "LED 3 mm"));
    EXPECT_TRUE(has("Diodes and LEDs", "LED 5 mm"));
    EXPECT_TRUE(has("Transistors", "TO-92, C B E"));
    EXPECT_TRUE(has("Transistors", "TO-92, E B C"));
    EXPECT_TRUE(has("Transistors", "TO-220 standing"));
    EXPECT_TRUE(has("Voltage regulators", "TO-220"));
    EXPECT_TRUE(has("Voltage regulators", "TO-92"));
    EXPECT_EQ(descriptions["IC sockets"].size(), 11);
    EXPECT_TRUE(has("IC sockets", "DIP-8, 7.62"));
    EXPECT_TRUE(has("IC sockets", "DIP-40, 15.24"));
    for (int pins = 2; pins <= 10; ++pins)
        EXPECT_TRUE(has("Connectors", QStringLiteral("1×%1").arg(pins).toUtf8().constData()));
    EXPECT_TRUE(has("Connectors", "2×5"));
    EXPECT_TRUE(has("Connectors", "Screw terminal 2-way, 5.08"));
    EXPECT_TRUE(has("Connectors", "Screw terminal 3-way, 5.08"));
    EXPECT_TRUE(has("Connectors", "DC jack"));
    EXPECT_TRUE(has("Potentiometers and trimmers", "Potentiometer"));
    EXPECT_TRUE(has("Potentiometers and trimmers", "trimmer"));
    EXPECT_TRUE(has("Miscellaneous", "HC-49"));
    EXPECT_TRUE(has("Miscellaneous", "Push button 6×6"));
    EXPECT_TRUE(has("Miscellaneous", "Relay"));
}

// --- Parts on real boards, checked by the continuity probe ------------------------------------

class StarterPartOnBoard : public ::testing::Test {
protected:
    // Loads the page and takes the part with the description off it.
    std::unique_ptr<TBauteil> TakePart(const char* file, const QString& description) {
        TBibo page(view_);
        EXPECT_FALSE(ReadLibraryPage(LibraryFolder("en") + u'/' + QString::fromLatin1(file), page)
                         .has_value());
        for (const auto& element : page.Bauteile())
            if (static_cast<TGruppe&>(*element).Description == description)
                return page.Take(element.get());
        ADD_FAILURE() << "no part " << description.toStdString();
        return nullptr;
    }
    // Puts the part onto the board with its first contact in the hole.
    TGruppe& Place(std::unique_ptr<TBauteil> part, QPoint hole) {
        auto& group = static_cast<TGruppe&>(*board_.Add(std::move(part)));
        const QPoint first = Contacts(group).front().Point;
        group.MoveBy(hole.x() * Pitch - first.x(), hole.y() * Pitch + Pitch / 2 - first.y());
        return group;
    }
    bool OnCopper(QPoint hole) {
        board_.Analysis().Probe({hole.x() * Pitch, hole.y() * Pitch + Pitch / 2});
        const std::vector<TBauteil*>& pieces = board_.Analysis().Pieces();
        return std::any_of(pieces.begin(), pieces.end(),
                           [](TBauteil* piece) { return piece->HatTestSpannung(); });
    }
    // For each contact the contacts of the part the probe marks from there.
    std::vector<std::set<int>> Nets(TGruppe& part) {
        std::vector<std::set<int>> nets;
        const std::vector<Contact> contacts = Contacts(part);
        for (const Contact& probe : contacts) {
            board_.Analysis().Probe(probe.Point);
            std::set<int> marked;
            for (std::size_t i = 0; i < contacts.size(); ++i)
                if (contacts[i].Member->HatTestSpannung())
                    marked.insert(int(i));
            nets.push_back(marked);
        }
        return nets;
    }

    ViewState view_;
    TPlatine board_{view_};
};

TEST_F(StarterPartOnBoard, ADipEightSocketAcrossTheCentreGapPutsEachPinOnItsOwnStrip) {
    ReadLayoutIntoBoard(LayoutFile("IC-Platine 160 x 100.KVB"), board_);
    // The first column whose strip ends with two bare holes to its right: the left pin column.
    constexpr int Row = 5;
    int left = -1;
    for (int column = 0; column < 20 && left < 0; ++column)
        if (OnCopper({column, Row}) && !OnCopper({column + 1, Row}) &&
            !OnCopper({column + 2, Row}) && OnCopper({column + 3, Row}))
            left = column;
    ASSERT_GE(left, 0) << "the IC board has a gap of two bare columns";
    TGruppe& socket =
        Place(TakePart("LIB6.Lib", QStringLiteral("IC socket DIP-8, 7.62 mm")), {left, Row});
    const std::vector<std::set<int>> nets = Nets(socket);
    ASSERT_EQ(nets.size(), 8u);
    for (std::size_t pin = 0; pin < nets.size(); ++pin)
        EXPECT_EQ(nets[pin], std::set<int>{int(pin)}) << "pin " << pin + 1;
}

// On horizontal strips every part whose contacts lie in different rows has each contact on a
// strip of its own, from two-lead parts to transistors, headers and terminals.
TEST_F(StarterPartOnBoard, ContactsInDifferentRowsLieOnDifferentStrips) {
    ReadLayoutIntoBoard(LayoutFile("Stripboard 160 x 100.KVB"), board_);
    int checked = 0;
    for (const QString& file : PageFiles("en")) {
        TBibo page(view_);
        ASSERT_FALSE(ReadLibraryPage(LibraryFolder("en") + u'/' + file, page).has_value());
        while (page.Count() > 0) {
            std::unique_ptr<TBauteil> taken = page.Take(page.At(0));
            auto& part = static_cast<TGruppe&>(*taken);
            const std::string name = part.Description.toStdString();
            std::map<int, std::vector<int>> rows;
            for (const Contact& contact : Contacts(part))
                rows[contact.Point.y()].push_back(contact.Point.x());
            if (rows.size() != Contacts(part).size()) {
                // Contacts sharing a row leave room for a cut between them (IC sockets, the
                // relay), except where the part joins them itself or is a two-row header.
                if (part.Description.contains(u"2×5") || part.Description.contains(u"button"))
                    continue;
                for (auto& [y, xs] : rows) {
                    std::sort(xs.begin(), xs.end());
                    for (std::size_t i = 1; i < xs.size(); ++i)
                        EXPECT_GE(xs[i] - xs[i - 1], 3 * Pitch) << name;
                }
                continue;
            }
            TGruppe& placed = Place(std::move(taken), {8, 4});
            const std::vector<std::set<int>> nets = Nets(placed);
            for (std::size_t i = 0; i < nets.size(); ++i)
                EXPECT_EQ(nets[i], std::set<int>{int(i)}) << name << " contact " << i + 1;
            board_.Remove(&placed);
            ++checked;
        }
    }
    EXPECT_GT(checked, 30);
}

TEST_F(StarterPartOnBoard, APushButtonJoinsItsPinPairsOnlyWhenPressed) {
    ReadLayoutIntoBoard(LayoutFile("Stripboard 160 x 100.KVB"), board_);
    TGruppe& button = Place(TakePart("LIB9.Lib", QStringLiteral("Push button 6×6 mm")), {8, 4});
    // Pins 1 and 2 are joined inside the button and share a strip; so are 3 and 4.
    const std::vector<std::set<int>> nets = Nets(button);
    const std::vector<std::set<int>> expected{{0, 1}, {0, 1}, {2, 3}, {2, 3}};
    EXPECT_EQ(nets, expected);
}

} // namespace
} // namespace karvel
