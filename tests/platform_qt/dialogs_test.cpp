#include "platform/qt/dialogs.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "tests/qt_test_support.h"

namespace movra::platform {
namespace {

using movra::testing::WhenModalShows;

// Answers the next question with Button.
void AnswerNext(QMessageBox::StandardButton button) {
  WhenModalShows<QMessageBox>([button](QMessageBox* box) { box->button(button)->click(); });
}

TEST(AskYesNo, YesIsTrueNoIsFalse) {
  AnswerNext(QMessageBox::Yes);
  EXPECT_TRUE(AskYesNo(nullptr, QStringLiteral("Save ?")));
  AnswerNext(QMessageBox::No);
  EXPECT_FALSE(AskYesNo(nullptr, QStringLiteral("Save ?")));
}

TEST(AskYesNo, ShowsTheTextAndEscapeAnswersNo) {
  QString shown;
  WhenModalShows<QMessageBox>([&](QMessageBox* box) {
    shown = box->text();
    box->reject();  // what Escape or the close box does
  });
  EXPECT_FALSE(AskYesNo(nullptr, QStringLiteral("Do you really want to quit ?")));
  EXPECT_EQ(shown, QStringLiteral("Do you really want to quit ?"));
}

TEST(ResolveTypedFolder, TakesFoldersAndConfirmedMissingOnesOnly) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString base = QDir::cleanPath(dir.path());
  QDir(base).mkdir(QStringLiteral("Program"));
  QFile file(base + QStringLiteral("/notes.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();

  int asked = 0;
  const auto yes = [&](const QString&) { ++asked; return true; };
  const auto no = [&](const QString&) { ++asked; return false; };

  EXPECT_EQ(ResolveTypedFolder(base + "/Program/", base, no), base + "/Program");
  EXPECT_EQ(ResolveTypedFolder("Program", base, no), base + "/Program");
  EXPECT_EQ(ResolveTypedFolder("  Program  ", base, no), base + "/Program");
  EXPECT_EQ(asked, 0) << "an existing folder needs no confirmation";

  EXPECT_EQ(ResolveTypedFolder("New/Sub", base, yes), base + "/New/Sub");
  EXPECT_EQ(ResolveTypedFolder("New", base, no), std::nullopt);
  EXPECT_EQ(ResolveTypedFolder("New", base, {}), std::nullopt);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(QDir(base + "/New").exists()) << "the folder is not created";

  EXPECT_EQ(ResolveTypedFolder("notes.txt", base, yes), std::nullopt);
  EXPECT_EQ(ResolveTypedFolder("   ", base, yes), std::nullopt);
}

QLineEdit* EditOf(QWidget* dialog) {
  return dialog->findChild<QLineEdit*>(QStringLiteral("EditFolder"));
}

TEST(ChooseFolderDialog, TypedMissingFolderIsTakenAfterYesAndNotCreated) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString base = QDir::cleanPath(dir.path());
  const QString wanted = base + QStringLiteral("/Later");
  QString startText;
  WhenModalShows<QDialog>([&](QDialog* dialog) {
    QLineEdit* edit = EditOf(dialog);
    ASSERT_NE(edit, nullptr);
    startText = edit->text();
    edit->setText(wanted);
    AnswerNext(QMessageBox::Yes);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(ChooseFolderDialog(nullptr, base), wanted);
  EXPECT_EQ(QDir::fromNativeSeparators(startText), base);
  EXPECT_FALSE(QDir(wanted).exists());
}

TEST(ChooseFolderDialog, NoToTheQuestionKeepsTheDialogOpenAndCancelGivesNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  bool stillOpen = false;
  WhenModalShows<QDialog>([&](QDialog* dialog) {
    EditOf(dialog)->setText(dir.path() + QStringLiteral("/Missing"));
    AnswerNext(QMessageBox::No);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    stillOpen = dialog->isVisible();
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(ChooseFolderDialog(nullptr, dir.path()), std::nullopt);
  EXPECT_TRUE(stillOpen);
}

}  // namespace
}  // namespace movra::platform
