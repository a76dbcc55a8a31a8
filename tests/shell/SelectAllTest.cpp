#include "shell/ShellFixture.h"
#include "support/ScriptedBoard.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using enum CommandId;

struct SelectAllCase {
    const char* Name;
    bool SolderSide;
    const char* Script;
};

void PrintTo(const SelectAllCase& c, std::ostream* os) {
    *os << c.Name;
}

class SelectAllTest : public testing::TestWithParam<SelectAllCase> {};

// Two lines on the component side with one on the solder side between them, none selected.
void AddLines(TPlatine& board) {
    for (int i = 0; i < 3; ++i) {
        TBauteil* line =
            board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 254 * i}, {508, 254 * i}}));
        line->SetIstAufLoetseite(i == 1);
        line->SetIstMarkiert(false);
    }
}

std::vector<int> SelectedPlaces(const TPlatine& board) {
    std::vector<int> places;
    for (int i = 0; i < board.Count(); ++i)
        if (board.At(i)->IstMarkiert())
            places.push_back(i);
    return places;
}

int LastSelectedPlace(const TPlatine& board) {
    for (int i = 0; i < board.Count(); ++i)
        if (board.At(i) == board.LastSelected())
            return i;
    return -1;
}

// The window's "select all" and an edit script's select the same elements of the working
// side, and leave the same element last selected for the element menu's properties.
TEST_P(SelectAllTest, TheWindowAndAnEditScriptSelectTheSame) {
    const SelectAllCase& c = GetParam();
    test::ShownWindow shown;
    if (c.SolderSide)
        shown->Action(ViewSolderSide).trigger();
    AddLines(shown.Board());
    shown->DoMenues();
    shown->Action(EditSelectAll).trigger();

    test::ScriptedBoard scripted;
    scripted.view.Loetseite = c.SolderSide;
    AddLines(scripted.board);
    const std::optional<ScriptError> error = scripted.Run(QString::fromLatin1(c.Script));
    ASSERT_FALSE(error) << error->Message.toStdString();

    const std::vector<int> expected = c.SolderSide ? std::vector<int>{1} : std::vector<int>{0, 2};
    EXPECT_EQ(SelectedPlaces(shown.Board()), expected);
    EXPECT_EQ(SelectedPlaces(scripted.board), expected);
    EXPECT_EQ(LastSelectedPlace(shown.Board()), expected.back());
    EXPECT_EQ(LastSelectedPlace(scripted.board), expected.back());
}

INSTANTIATE_TEST_SUITE_P(
    Sides, SelectAllTest,
    testing::Values(SelectAllCase{"ComponentSideBySelectLine", false, "select all\n"},
                    SelectAllCase{"SolderSideBySelectLine", true, "select all\n"},
                    SelectAllCase{"ComponentSideByCommand", false, "command EditSelectAll\n"},
                    SelectAllCase{"SolderSideByCommand", true, "command EditSelectAll\n"}),
    [](const testing::TestParamInfo<SelectAllCase>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace karvel
