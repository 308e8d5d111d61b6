// Qt's own file dialog as the program sets it up: a path typed into the name
// box and Enter choose that file, whatever the chosen file type.
#include "controls/dialogs/FileDialogs.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void type(QWidget* box, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

void pressEnter(QWidget* box)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
}
} // namespace

TEST(FileDialogTyping, ATypedPathOfAnExistingFileOpensWhateverTheTypeAnyNameSaves)
{
    QTemporaryDir folder;
    const QString mediaFilter = QStringLiteral("Music File|*.mid;*.wav;*.mp3|Video File|*.avi;*.mpg;*.mov");
    for (const char* name : {"clip.mov", "song.mp3", "old.lst"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    struct Case {
        bool saving;
        QString filter;
        QString typed;
        QString chosen;
        QString startName; // the name the dialog starts with
    };
    const QList<Case> cases{
        {false, mediaFilter, folder.filePath(QStringLiteral("clip.mov")), folder.filePath(QStringLiteral("clip.mov"))},
        {false, mediaFilter, QStringLiteral("clip.mov"), folder.filePath(QStringLiteral("clip.mov"))},
        {false, mediaFilter, QStringLiteral("song.mp3"), folder.filePath(QStringLiteral("song.mp3"))},
        {true, QStringLiteral("List File|*.lst"), QStringLiteral("mine.txt"), folder.filePath(QStringLiteral("mine.txt"))},
        {true, QStringLiteral("List File|*.lst"), QStringLiteral("new.lst"), folder.filePath(QStringLiteral("new.lst")),
         QStringLiteral("old.lst")},
        {false, mediaFilter, folder.filePath(QStringLiteral("clip.mov")), folder.filePath(QStringLiteral("clip.mov")),
         QStringLiteral("song.mp3")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QFileDialog dialog;
        prepareFileDialog(dialog, {folder.path(), QStringLiteral("開く"), c.filter, c.startName}, c.saving);
        dialog.show();
        dialog.activateWindow();
        auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(nameBox, nullptr);
        nameBox->setFocus();
        ASSERT_TRUE(waitFor([&] { return nameBox->hasFocus(); })) << "the name box has the keyboard, as for a person";
        ASSERT_TRUE(dialog.selectedNameFilter().startsWith(c.saving ? QStringLiteral("List") : QStringLiteral("Music")));
        nameBox->selectAll();
        type(nameBox, c.typed);
        // The folder is listed in the background; what was typed stays.
        auto* listing = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(listing, nullptr);
        ASSERT_TRUE(waitFor([&] { return listing->rowCount(listing->index(folder.path())) > 0; }, 5000));
        QCoreApplication::processEvents();
        EXPECT_EQ(nameBox->text(), c.typed);
        QPushButton* accept = dialog.findChild<QDialogButtonBox*>()->button(
            c.saving ? QDialogButtonBox::Save : QDialogButtonBox::Open);
        EXPECT_TRUE(waitFor([&] { return accept->isEnabled(); }, 5000)) << "the button stays disabled";
        pressEnter(nameBox);
        EXPECT_TRUE(waitFor([&] { return !dialog.isVisible(); }, 5000)) << "Enter did nothing";
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.selectedFiles(), QStringList{c.chosen});
    }
}
