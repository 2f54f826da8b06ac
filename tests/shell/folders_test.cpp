#include "shell/base/folders.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace movra {
namespace {

class Folders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    exe_ = QDir::cleanPath(dir_.path());
    QFile file(exe_ + QStringLiteral("/Movra_Rudizi"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QString Exe() const { return exe_ + QStringLiteral("/Movra_Rudizi"); }
  void MakeDir(const QString& name) { ASSERT_TRUE(QDir(exe_).mkpath(name)); }

  QTemporaryDir dir_;
  QString exe_;
};

TEST_F(Folders, DefaultPlacesLieBesideTheExecutableAndEndWithSlash) {
  for (const QString& given : {exe_, exe_ + "/", exe_ + "//"}) {
    TFormaDatenFolders folders(given, Exe());
    EXPECT_EQ(folders.ExeFolder(), exe_ + "/") << given.toStdString();
    // Not tested for existence: none of these folders exists yet.
    EXPECT_EQ(folders.ProgramFolder(), exe_ + "/Program/");
    EXPECT_EQ(folders.ProjectFolder(), exe_ + "/Project/");
    EXPECT_EQ(folders.TemplateFolder(), exe_ + "/Template/");
    EXPECT_EQ(folders.SettingsFileName(), exe_ + "/Settings.ini");
  }
}

TEST_F(Folders, WithoutTheExecutableNoPlaceIsOffered) {
  MakeDir("Info");
  TFormaDatenFolders folders(exe_, exe_ + "/gone");
  EXPECT_FALSE(folders.ExeFileExists());
  EXPECT_EQ(folders.ExeFolder(), exe_ + "/");
  EXPECT_EQ(folders.ProgramFolder(), QString());
  EXPECT_EQ(folders.ProjectFolder(), QString());
  EXPECT_EQ(folders.TemplateFolder(), QString());
  EXPECT_EQ(folders.SettingsFileName(), QString());
  EXPECT_EQ(folders.InfoFolder(), QString());
  // The folder dialog then starts in the executable's folder.
  EXPECT_EQ(folders.ChooseFolderStart(QString()), exe_ + "/");

  TFormaDatenFolders nowhere;
  EXPECT_EQ(nowhere.ExeFolder(), QString());
  EXPECT_EQ(nowhere.SettingsFileName(), QString());
}

TEST_F(Folders, WithoutAnExecutableFileItsFolderDecides) {
  TFormaDatenFolders folders(exe_);
  EXPECT_TRUE(folders.ExeFileExists());
  folders.SetExeFolder(exe_ + "/missing");
  EXPECT_FALSE(folders.ExeFileExists());
}

TEST_F(Folders, InfoFolderOnlyWhenItExists) {
  TFormaDatenFolders folders(exe_, Exe());
  EXPECT_EQ(folders.InfoFolder(), QString());
  MakeDir("Info");
  EXPECT_EQ(folders.InfoFolder(), exe_ + "/Info/");
}

TEST_F(Folders, ChooseFolderStartsAtInitialElseProjectElseExe) {
  MakeDir("Work");
  TFormaDatenFolders folders(exe_, Exe());
  QString started;
  folders.FolderDialog = [&](const QString& start) -> std::optional<QString> {
    started = start;
    return std::nullopt;
  };
  EXPECT_EQ(folders.ChooseFolder(exe_ + "/Work/"), QString());
  EXPECT_EQ(started, exe_ + "/Work/");
  // A folder that no longer exists starts in Project/; cancelling gives no folder.
  EXPECT_EQ(folders.ChooseFolder(exe_ + "/Deleted/"), QString());
  EXPECT_EQ(started, exe_ + "/Project/");
  EXPECT_EQ(folders.ChooseFolder(QString()), QString());
  EXPECT_EQ(started, exe_ + "/Project/");
}

TEST_F(Folders, ChosenFolderGetsOneTrailingSlash) {
  TFormaDatenFolders folders(exe_, Exe());
  for (const QString& chosen : {exe_ + "/New", exe_ + "/New/"}) {
    folders.FolderDialog = [&](const QString&) { return std::optional<QString>(chosen); };
    EXPECT_EQ(folders.ChooseFolder(QString()), exe_ + "/New/");
  }
  folders.FolderDialog = [](const QString&) { return std::optional<QString>(QString()); };
  EXPECT_EQ(folders.ChooseFolder(QString()), QString());
}

// Stands for the file manager.
class FileManager : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void Open(const QUrl& url) { opened.append(url); }
};

TEST_F(Folders, OpenFolderOpensOnlyAnExistingFolder) {
  FileManager manager;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &manager, "Open");
  MakeDir("Info");
  TFormaDatenFolders folders(exe_, Exe());
  folders.OpenFolder(folders.InfoFolder());
  folders.OpenFolder(exe_ + "/Missing/");
  folders.OpenFolder(QString());
  folders.OpenFolder(Exe());  // a file is no folder
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  ASSERT_EQ(manager.opened.size(), 1);
  EXPECT_EQ(QDir::cleanPath(manager.opened.front().toLocalFile()), exe_ + "/Info");
}

}  // namespace
}  // namespace movra

#include "folders_test.moc"
