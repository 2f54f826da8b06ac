#pragma once
// The main window under test, with the windows it works with, in a folder of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <memory>
#include <optional>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "shell/base/folders.h"
#include "shell/base/forma_info.h"
#include "shell/base/forma_input.h"
#include "shell/base/forma_settings.h"
#include "shell/forma_rudizi.h"
#include "tests/qt_test_support.h"

namespace movra::testing {

// The main window with the windows it works with; its questions and file dialogs answered by
// the test, which notes what was asked.
class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ready());
    folders_.SetExeFolder(folder_.Folder(), folder_.Exe());
    settings_ = std::make_unique<TFormaSettings>(folders_, daten_, windows_);
    settings_->SetApplicationTitle(QStringLiteral("?"));  // writes no Settings.ini
    settings_->Timer.SetEnabled(false);
    settings_->TimerColor.SetEnabled(false);
    geom_ = std::make_unique<TFormaGeom>(daten_, folder_.Folder().toStdString());
    editor_ = std::make_unique<TFormaEditor>(windows_, *geom_);
    main_ = std::make_unique<TForma_Rudizi>(
        windows_, MainWindowLinks{*settings_, folders_, info_, *editor_, input_});
    main_->Ask = [this](const QString& question) {
      asked_.append(question);
      return answer_;
    };
    main_->ShowMessage = [this](const QString& message) { messages_.append(message); };
    main_->OpenDialog_Program->Runner = [this](const platform::FileDialog&) {
      ++openDialogs_;
      return openChoice_;
    };
    main_->SaveDialog_Program->Runner = [this](const platform::FileDialog& dialog) {
      ++saveDialogs_;
      seenSaveName_ = dialog.FileName;
      return saveChoice_;
    };
  }

  platform::RichEdit& Text() { return *main_->RichEditProgram; }
  bool Modified() { return Text().document()->isModified(); }
  // The text as the user left it after typing.
  void Edited(const QString& text) {
    Text().setPlainText(text);
    Text().document()->setModified(true);
  }
  QString File(const char* name) const { return folder_.Folder() + QString::fromLatin1(name); }

  // Shows the window and puts the focus into the program text, as a user's click does.
  void FocusText() {
    main_->show();
    QApplication::setActiveWindow(main_.get());
    Text().setFocus();
    ASSERT_TRUE(RunEventLoopUntil([this] { return Text().hasFocus(); }));
  }

  movra::testing::StandInExeFolder folder_;
  TFormaDatenFolders folders_;
  platform::WindowList windows_;
  TFormaDaten daten_{&windows_};
  std::unique_ptr<TFormaSettings> settings_;
  TFormaInfo info_;
  TFormaInput input_;
  std::unique_ptr<TFormaGeom> geom_;
  std::unique_ptr<TFormaEditor> editor_;
  std::unique_ptr<TForma_Rudizi> main_;

  bool answer_ = true;
  QStringList asked_;
  QStringList messages_;
  std::optional<QString> openChoice_;
  std::optional<QString> saveChoice_;
  QString seenSaveName_;
  int openDialogs_ = 0;
  int saveDialogs_ = 0;
};

}  // namespace movra::testing
