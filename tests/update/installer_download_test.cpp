// The installer download: the progress rule, the file, and the ways it fails.
#include "update/installer_download.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>

#include "support/temp_folder.h"
#include "update/download_failures.h"
#include "update/test_http_server.h"

namespace corvane {
namespace {

using testing::Answer;
using testing::TestHttpServer;

TEST(DownloadPercentTest, DeclaredLengthAndNotChunked) {
  struct Case {
    qint64 count;
    qint64 length;
    QByteArray encoding;
    std::optional<int> percent;
  };
  const Case cases[] = {
      {250000, 1000000, "", 25},
      {249999, 1000000, "", 24},
      {1000000, 1000000, "", 100},
      {0, 1000000, "", 0},
      {4000000000000, 8000000000000, "identity", 50},
      {250000, 1000000, "chunked", std::nullopt},
      {250000, 1000000, "gzip, Chunked", std::nullopt},
      {250000, 0, "", std::nullopt},
      {250000, -1, "", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DownloadPercent(c.count, c.length, c.encoding), c.percent)
        << c.count << " of " << c.length << " " << c.encoding.constData();
  }
}

class InstallerDownloadTest : public ::testing::Test {
 protected:
  QByteArray Installer(qsizetype size) const {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    return bytes;
  }
  QUrl InstallerUrl() const { return server_.base().resolved(QUrl("/download/zunt.exe")); }
  Status Run(InstallerDownload& download) {
    return download.Run(InstallerUrl(), path_, [this](int p) { percents_.append(p); });
  }

  TestHttpServer server_;
  testing::TempFolder temp_;
  QString path_ = temp_.file("lrk_update.exe");
  QList<int> percents_;
};

TEST_F(InstallerDownloadTest, WritesTheInstallerReplacingAnEarlierFile) {
  temp_.Create({"lrk_update.exe"}, QByteArray(300000, 'x'));
  const QByteArray installer = Installer(100000);
  server_.Serve("/download/zunt.exe", Answer::Page(installer));
  InstallerDownload download;
  ASSERT_TRUE(Run(download).ok());
  EXPECT_EQ(temp_.Read("lrk_update.exe"), installer);
  ASSERT_FALSE(percents_.isEmpty());
  EXPECT_EQ(percents_.last(), 100);
  EXPECT_EQ(server_.requests().value(0).headers.value("user-agent"),
            "Mozilla/4.0 (compatible; MyApp)");
}

TEST_F(InstallerDownloadTest, TheBarFollowsTheDeclaredLength) {
  Answer answer = Answer::Page(Installer(1000000));
  answer.pauseAfter = 250000;
  int atPause = -1;
  QTimer poll;
  answer.onPause = [&] {
    // Waits until the first quarter has arrived, then sends the rest.
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if ((!percents_.isEmpty() && percents_.last() == 25) || ++tries > 500) {
        poll.stop();
        atPause = percents_.isEmpty() ? -1 : percents_.last();
        server_.Resume();
      }
    });
    poll.start(10);
  };
  server_.Serve("/download/zunt.exe", answer);
  InstallerDownload download;
  ASSERT_TRUE(Run(download).ok());
  EXPECT_EQ(atPause, 25);
  EXPECT_EQ(percents_.last(), 100);
  EXPECT_TRUE(std::is_sorted(percents_.begin(), percents_.end()));
}

TEST_F(InstallerDownloadTest, WithoutADeclaredLengthTheBarStaysAtZero) {
  Answer chunked = Answer::Page(Installer(300000));
  chunked.chunked = true;
  Answer unsized = Answer::Page(Installer(300000));
  unsized.declareLength = false;
  for (const Answer& answer : {chunked, unsized}) {
    server_.Serve("/download/zunt.exe", answer);
    percents_.clear();
    InstallerDownload download;
    ASSERT_TRUE(Run(download).ok());
    EXPECT_EQ(temp_.Read("lrk_update.exe"), answer.body);
    EXPECT_TRUE(percents_.isEmpty()) << percents_.size();
  }
}

TEST_F(InstallerDownloadTest, FailuresAndTheirTexts) {
  for (const testing::DownloadFailure& c : testing::DownloadFailures()) {
    server_.Serve("/download/zunt.exe", c.answer);
    HttpSettings settings = InstallerDownloadSettings();
    settings.readTimeout = std::chrono::milliseconds(300);
    InstallerDownload download(settings);
    const Status status = Run(download);
    ASSERT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(status.error().message(), c.error) << c.name;
    EXPECT_FALSE(server_.paths().contains("/download/elsewhere.exe")) << c.name;
  }
}

TEST_F(InstallerDownloadTest, AbortEndsTheTransferWithTheCancelText) {
  Answer answer = Answer::Page(Installer(500000));
  InstallerDownload download;
  answer.pauseAfter = 100000;
  answer.onPause = [&] { QTimer::singleShot(50, [&] { download.Abort(); }); };
  server_.Serve("/download/zunt.exe", answer);
  const Status status = Run(download);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), "Download is cancelled. Please download manually.");
  EXPECT_TRUE(download.DownloadCancelled());
  // What arrived stays.
  EXPECT_TRUE(temp_.Exists("lrk_update.exe"));
}

TEST_F(InstallerDownloadTest, AFileThatCannotBeMadeFails) {
  path_ = temp_.file("missing folder/lrk_update.exe");
  server_.Serve("/download/zunt.exe", Answer::Page("MZ"));
  InstallerDownload download;
  const Status status = Run(download);
  ASSERT_FALSE(status.ok());
  EXPECT_TRUE(status.error().message().endsWith(path_)) << status.error().message().toStdString();
  EXPECT_TRUE(server_.requests().isEmpty());
}

TEST(InstallerFileTest, LiesInAPrivateFolder) {
  const Result<QString> file = InstallerFile();
  ASSERT_TRUE(file.ok());
  EXPECT_TRUE(file->endsWith("/lrk_update.exe"));
#ifndef Q_OS_WIN
  const QFileInfo folder(QFileInfo(*file).path());
  EXPECT_TRUE(folder.isDir());
  EXPECT_EQ(folder.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
            QFile::Permissions());
#endif
}

}  // namespace
}  // namespace corvane
