// The private folder for the installer: only ever a folder of the user's own
// that nobody else can enter.
#include "platform/private_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "support/temp_folder.h"

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

using testing::TempFolder;

mode_t ModeOf(const QString& path) {
  struct stat info;
  if (lstat(QFile::encodeName(path).constData(), &info) != 0) return 0;
  return info.st_mode & 07777;
}

class PrivateFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runtime_ = temp_.CreateFolder("run");
    tmp_ = temp_.CreateFolder("tmp");
    chmod(QFile::encodeName(runtime_).constData(), 0700);
  }
  QString Named() const { return tmp_ + "/corvane-" + QString::number(geteuid()); }

  TempFolder temp_;
  QString runtime_;
  QString tmp_;
};

TEST_F(PrivateFolderTest, UnderAPrivateRuntimeFolder) {
  const Result<QString> folder = PrivateTempFolderIn(runtime_, tmp_);
  ASSERT_TRUE(folder.ok());
  EXPECT_EQ(*folder, runtime_ + "/corvane");
  EXPECT_EQ(ModeOf(*folder), 0700u);
  // A second start finds the same folder.
  EXPECT_EQ(*PrivateTempFolderIn(runtime_, tmp_), *folder);
}

TEST_F(PrivateFolderTest, UnderTheTemporaryFolderWithoutAPrivateRuntimeFolder) {
  const QString open = temp_.CreateFolder("open");
  chmod(QFile::encodeName(open).constData(), 0777);
  for (const QString& runtime : {QString(), QString("relative/run"), open, runtime_ + "/none"}) {
    const Result<QString> folder = PrivateTempFolderIn(runtime, tmp_);
    ASSERT_TRUE(folder.ok()) << runtime.toStdString();
    EXPECT_EQ(*folder, Named()) << runtime.toStdString();
    EXPECT_EQ(ModeOf(*folder), 0700u);
  }
}

// Someone got to the name first: a folder others can enter, a link to a
// folder elsewhere, or a file. None is used; a fresh folder is made instead.
TEST_F(PrivateFolderTest, NeverAFolderOthersPreparedUnderItsName) {
  const QString elsewhere = temp_.CreateFolder("elsewhere");
  chmod(QFile::encodeName(elsewhere).constData(), 0700);
  struct Case {
    const char* name;
    std::function<void()> prepare;
  };
  const Case cases[] = {
      {"OpenFolder",
       [&] {
         QDir().mkpath(Named());
         chmod(QFile::encodeName(Named()).constData(), 0777);
       }},
      {"LinkToAPrivateFolder", [&] { QFile::link(elsewhere, Named()); }},
      {"File", [&] { temp_.Create({"tmp/corvane-" + QString::number(geteuid())}); }},
  };
  for (const Case& c : cases) {
    QFile::remove(Named());
    QDir(Named()).removeRecursively();
    c.prepare();
    const Result<QString> folder = PrivateTempFolderIn({}, tmp_);
    ASSERT_TRUE(folder.ok()) << c.name;
    EXPECT_NE(*folder, Named()) << c.name;
    EXPECT_TRUE(folder->startsWith(tmp_ + "/corvane-")) << c.name;
    EXPECT_FALSE(QFileInfo(*folder).isSymLink()) << c.name;
    EXPECT_EQ(ModeOf(*folder), 0700u) << c.name;
  }
}

TEST_F(PrivateFolderTest, ATemporaryFolderThatCannotHoldOneIsAnError) {
  const Result<QString> folder = PrivateTempFolderIn({}, tmp_ + "/missing");
  ASSERT_FALSE(folder.ok());
  EXPECT_TRUE(folder.error().message().endsWith(tmp_ + "/missing"));
}

}  // namespace
}  // namespace corvane
#endif
