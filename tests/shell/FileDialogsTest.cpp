#include "shell/FileDialogs.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

TEST(FileDialogsTest, ASavedNameEndsInAnOfferedExtension) {
    const QStringList projects = {QStringLiteral("Karvel-Projekte (*.rst)"),
                                  QStringLiteral("Sicherungsdatei (*.bak)")};
    const QStringList pictures = {QStringLiteral("Bilder (*.bmp *.png)")};
    struct Case {
        const char* typed;
        QStringList filters;
        const char* suffix;
        const char* saved;
    };
    const Case cases[] = {
        {"/p/Verstärker v1.2", projects, "rst", "/p/Verstärker v1.2.rst"},
        {"/p/Platine", projects, "rst", "/p/Platine.rst"},
        {"/p/Platine.rst", projects, "rst", "/p/Platine.rst"},
        {"/p/PLATINE.RST", projects, "rst", "/p/PLATINE.RST"},
        {"/p/Platine.bak", projects, "rst", "/p/Platine.bak"},
        {"/p/Bild.png", pictures, "bmp", "/p/Bild.png"},
        {"/p/Bild.jpg", pictures, "bmp", "/p/Bild.jpg.bmp"},
        {"/p/Notizen", projects, "", "/p/Notizen"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithOfferedExtension(QString::fromUtf8(c.typed), c.filters,
                                       QString::fromLatin1(c.suffix)),
                  QString::fromUtf8(c.saved))
            << c.typed;
}

TEST(FileDialogsTest, TheSaveDialogHandsBackTheNameThatWillBeWritten) {
    QTemporaryDir folder;
    SaveFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Karvel projects (*.rst)")});
    dialog.setDefaultSuffix(QStringLiteral("rst"));
    dialog.setDirectory(folder.path());
    dialog.selectFile(QStringLiteral("Amplifier v1.2"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(dialog.selectedFiles().size(), 1);
    EXPECT_EQ(dialog.selectedFiles().front(),
              folder.filePath(QStringLiteral("Amplifier v1.2.rst")));
}

} // namespace
} // namespace karvel
