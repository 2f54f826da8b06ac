// The memo dialog and the about box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <ostream>

#include "platform/qt/version_info.h"
#include "shell/base/forma_info.h"
#include "shell/base/forma_input_memo.h"
#include "tests/qt_test_support.h"
#include "tests/shell/dialog_test_support.h"

namespace movra {
namespace {

using movra::testing::Click;
using movra::testing::PressKey;
using movra::testing::WhenModalShows;

struct MemoSeen {
  int tag = 99;
  bool modified = false;
  bool saveEnabled = false;
};

// Shows the memo modally with Tag set by the caller; Act ends the dialog.
MemoSeen RunMemo(TFormaInputMemo& memo, int Tag, const std::function<void(TFormaInputMemo*)>& Act) {
  MemoSeen seen;
  memo.Memo->setPlainText(QStringLiteral("(Spindle warm-up)\nM3 S500"));
  memo.MemoTag = Tag;
  WhenModalShows<TFormaInputMemo>([&](TFormaInputMemo* dialog) {
    seen = {dialog->MemoTag, dialog->Memo->document()->isModified(), dialog->ButtonSave->isEnabled()};
    Act(dialog);
  });
  memo.exec();
  return seen;
}

TEST(FormaInputMemo, TagProtocol) {
  TFormaInputMemo memo;
  // The caller's -1: its text counts as a change.
  MemoSeen seen = RunMemo(memo, -1, [](TFormaInputMemo* d) { d->ButtonSave->click(); });
  EXPECT_EQ(seen.tag, 0);
  EXPECT_TRUE(seen.modified);
  EXPECT_TRUE(seen.saveEnabled);
  EXPECT_EQ(memo.MemoTag, 1);

  // Anything else: nothing to save until the user edits.
  bool enabledAfterEdit = false;
  seen = RunMemo(memo, 1, [&](TFormaInputMemo* d) {
    d->Memo->appendPlainText(QStringLiteral("M5"));
    enabledAfterEdit = d->ButtonSave->isEnabled();
    d->ButtonClose->click();
  });
  EXPECT_EQ(seen.tag, 0);
  EXPECT_FALSE(seen.modified);
  EXPECT_FALSE(seen.saveEnabled);
  EXPECT_TRUE(enabledAfterEdit);
  EXPECT_EQ(memo.MemoTag, 0);

  // Esc closes without saving.
  RunMemo(memo, -1, [](TFormaInputMemo* d) { PressKey(d->Memo, Qt::Key_Escape); });
  EXPECT_EQ(memo.MemoTag, 0);
}

TEST(FormaInputMemo, ClosingShowsTheButtonBarAgain) {
  TFormaInputMemo memo;
  memo.Panel->hide();
  bool hiddenWhileShown = false;
  RunMemo(memo, 0, [&](TFormaInputMemo* d) {
    hiddenWhileShown = d->Panel->isHidden();
    d->close();
  });
  EXPECT_TRUE(hiddenWhileShown);
  EXPECT_FALSE(memo.Panel->isHidden());
}

TEST(FormaInputMemo, CtrlWheelChangesTheFontWithinItsRange) {
  TFormaInputMemo memo;
  memo.show();
  QApplication::setActiveWindow(&memo);
  memo.Memo->setFocus();
  ASSERT_TRUE(movra::testing::RunEventLoopUntil([&] { return memo.Memo->hasFocus(); }));
  EXPECT_EQ(memo.MemoFontPoints(), 10);  // 13 pixels
  const int away = 120;
  EXPECT_TRUE(memo.MemoWheel(away, Qt::ControlModifier));
  EXPECT_EQ(memo.MemoFontPoints(), 10);
  EXPECT_TRUE(memo.MemoWheel(-away, Qt::ControlModifier));
  EXPECT_EQ(memo.MemoFontPoints(), 12);
  for (int i = 0; i < 20; ++i) memo.MemoWheel(-away, Qt::ControlModifier);
  EXPECT_EQ(memo.MemoFontPoints(), 30);
  EXPECT_TRUE(memo.MemoWheel(away, Qt::ControlModifier));
  EXPECT_EQ(memo.MemoFontPoints(), 28);
  // Only Ctrl alone.
  EXPECT_FALSE(memo.MemoWheel(away, Qt::ControlModifier | Qt::ShiftModifier));
  EXPECT_FALSE(memo.MemoWheel(away, Qt::NoModifier));
  EXPECT_EQ(memo.MemoFontPoints(), 28);

  // The wheel through the memo's own events, zooming no further than the limit.
  for (int i = 0; i < 20; ++i) {
    QWheelEvent wheel(QPointF(10, 10), memo.Memo->mapToGlobal(QPoint(10, 10)), QPoint(),
                      QPoint(0, -away), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(memo.Memo->viewport(), &wheel);
  }
  EXPECT_EQ(memo.MemoFontPoints(), 30);
  memo.hide();
}

TEST(FormaInfo, VersionFromTheExecutablesGermanBlock) {
  TFormaInfo info;
  EXPECT_EQ(info.VersionTitle->text(), QStringLiteral("25.10.1.1"));
  EXPECT_EQ(info.windowTitle(), QStringLiteral("Movra_Rudizi"));
  EXPECT_FALSE(info.StaticTextCopyright->text().isEmpty());
  EXPECT_EQ(info.StaticTextMail->text(), QString::fromLatin1(TFormaInfo::ContactAddress));
}

TEST(FormaInfo, TheGermanBlockReplacesTheRussianOne) {
  struct Case {
    const char* name;
    const char* blocks;
    QString version;
    QString copyright;
    QString caption;
  };
  const Case cases[] = {
      {"both", "[041904E3]\nProductVersion=1.ru\nLegalCopyright=(c) ru\nProductName=ru\n"
               "[040704E4]\nProductVersion=2.de\nProductName=de\n",
       "2.de", "(c) ru", "de"},
      {"Russian only", "[041904E3]\nProductVersion=1.ru\n", "1.ru", "layout", "layout"},
      {"another language only", "[040904E4]\nProductVersion=3.en\n", "layout", "layout", "layout"},
  };
  for (const Case& c : cases) {
    TFormaInfo info;
    info.VersionTitle->setText(QStringLiteral("layout"));
    info.StaticTextCopyright->setText(QStringLiteral("layout"));
    info.setWindowTitle(QStringLiteral("layout"));
    info.ReadVersionResource(platform::VersionResource(c.blocks));
    EXPECT_EQ(info.VersionTitle->text(), c.version) << c.name;
    EXPECT_EQ(info.StaticTextCopyright->text(), c.copyright) << c.name;
    EXPECT_EQ(info.windowTitle(), c.caption) << c.name;
  }
  TFormaInfo none;
  none.VersionTitle->setText(QStringLiteral("layout"));
  none.ReadVersionResource(std::nullopt);
  EXPECT_EQ(none.VersionTitle->text(), QStringLiteral("layout"));
}

TEST(FormaInfo, TextLinesWriteAnEmailWithTheCaption) {
  const QString title = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QStringLiteral("Movra_Rudizi"));
  TFormaInfo info;
  QStringList opened;
  info.OpenMail = [&](const QString& link) { opened << link; };
  QString captionWhenShown;
  WhenModalShows<TFormaInfo>([&](TFormaInfo* box) {
    captionWhenShown = box->windowTitle();
    for (QLabel* label : {box->StaticTextComments, box->StaticTextCopyright,
                          box->StaticTextRecht, box->StaticTextMail, box->VersionTitle}) {
      Click(label, QPoint(2, 2));
    }
    PressKey(box->SpeedButtonExit, Qt::Key_Escape);
  });
  info.setWindowTitle(QStringLiteral("Movra_Rudizi 25.10.1.1"));
  info.exec();
  EXPECT_EQ(captionWhenShown, QStringLiteral("Movra_Rudizi"));
  // Four lines answer; the version line does not.
  ASSERT_EQ(opened.size(), 4);
  for (const QString& link : opened)
    EXPECT_EQ(link, QStringLiteral("mailto:movra.rudizi@example.org?subject=Movra_Rudizi&Body="));

  // A caption with the link's own separators cannot cut the link.
  info.setWindowTitle(QStringLiteral("A&B #1"));
  EXPECT_EQ(info.MailLink(),
            QStringLiteral("mailto:movra.rudizi@example.org?subject=A%26B%20%231&Body="));
  QCoreApplication::setApplicationName(title);
}

}  // namespace
}  // namespace movra
