#include "shell/ColourDialog.h"
#include "platform/ColourDialogSettings.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QColorDialog>

namespace karvel {
namespace {

struct ColourDialogCase {
    const char* Name;
    const char* File; // "Colors.dat" before the dialog opens; none when null
    bool Accept;
};

void PrintTo(const ColourDialogCase& c, std::ostream* os) {
    *os << c.Name;
}

class ColourDialogTest : public testing::TestWithParam<ColourDialogCase> {
protected:
    QTemporaryDir program;
    QTemporaryDir user;
    SettingsStore store{program.path(), user.path()};

    QByteArray FileBytes() const {
        QFile file(program.filePath(QStringLiteral("Colors.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// What the dialog shows of its custom colours while it is open, and the user's changes: the
// sixth custom colour becomes green and a colour is chosen.
struct DialogVisit {
    std::vector<QColor> shown;
    bool accept = false;

    void Arrange() {
        QTimer::singleShot(0, [this] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            for (int index = 0; index < QColorDialog::customCount(); ++index)
                shown.push_back(QColorDialog::customColor(index));
            QColorDialog::setCustomColor(5, QColor(0, 128, 0));
            dialog->setCurrentColor(QColor(1, 2, 3));
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
    }
};

TEST_P(ColourDialogTest, CustomColoursComeFromColorsDatAndGoBackAfterOk) {
    const ColourDialogCase& c = GetParam();
    if (c.File != nullptr) {
        QFile file(program.filePath(QStringLiteral("Colors.dat")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.File);
    }
    const QByteArray before = FileBytes();
    // What an earlier dialog left must not stand in for the file.
    QColorDialog::setCustomColor(2, QColor(9, 9, 9));

    DialogVisit visit;
    visit.accept = c.Accept;
    visit.Arrange();
    const std::optional<QColor> chosen = AskColour(nullptr, Qt::black, store);

    ASSERT_EQ(visit.shown.size(), 16u) << "the dialog did not open";
    const CustomColours stored = CustomColoursFromIni(IniFile::FromBytes(before));
    for (int index = 0; index < 16; ++index)
        EXPECT_EQ(visit.shown[std::size_t(index)], ToQColor(stored[std::size_t(index)]))
            << "custom colour " << index;

    if (!c.Accept) {
        EXPECT_FALSE(chosen.has_value());
        EXPECT_EQ(FileBytes(), before) << "cancelling keeps the file as it was";
        return;
    }
    EXPECT_EQ(chosen, QColor(1, 2, 3));
    CustomColours expected = stored;
    expected[5] = FromQColor(QColor(0, 128, 0));
    EXPECT_EQ(ReadCustomColours(store), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ColourDialogTest,
    testing::Values(ColourDialogCase{"AcceptedWithColours",
                                     "ColorA=0000FF\r\nColorC=00FF00\r\nColorP=B9B9B9\r\n", true},
                    ColourDialogCase{"CancelledWithColours", "ColorA=0000FF\r\nColorC=00FF00\r\n",
                                     false},
                    ColourDialogCase{"AcceptedWithoutFile", nullptr, true},
                    ColourDialogCase{"CancelledWithoutFile", nullptr, false}),
    [](const testing::TestParamInfo<ColourDialogCase>& info) {
        return std::string(info.param.Name);
    });

} // namespace
} // namespace karvel
