// The new-version dialog: what it offers, the result of each way out, and
// "Update Now" against the scripted server, with the error box and the
// desktop recorded.
#include "update_ui/new_version_dialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <memory>

#include "support/temp_folder.h"
#include "update/download_failures.h"
#include "update/test_http_server.h"
#include "update_ui/recorded_services.h"

namespace corvane {
namespace {

using testing::Answer;

const QString kMessage = "The new version 2.5 is available\r\n\r\nWhat's new:\r\nFaster\r\n";
const QString kFailed = "Failed to download update. Please download manually on website.\r\n\r\n";

QByteArray Installer(qsizetype size) { return QByteArray(size, 'I'); }

class NewVersionDialogTest : public ::testing::Test {
 protected:
  std::unique_ptr<TfrmNewVersion> Show(bool mandatory) {
    state_.QuitAfterDialog = mandatory;
    state_.UpdateMessage = kMessage;
    DownloadPlan plan;
    plan.installerUrl = server_.base().resolved(QUrl("/download/zunt.exe"));
    plan.homePage = QUrl("https://updates.example");
    plan.installerFile = [this]() -> Result<QString> { return installer_; };
    plan.settings.readTimeout = std::chrono::milliseconds(300);
    auto dialog = std::make_unique<TfrmNewVersion>(state_, plan, recorded_.services());
    dialog->show();
    return dialog;
  }
  template <typename Widget>
  static Widget* Find(const TfrmNewVersion& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  static QPushButton* Button(const TfrmNewVersion& dialog, const char* name) {
    return Find<QPushButton>(dialog, name);
  }

  testing::TestHttpServer server_;
  testing::TempFolder temp_;
  QString installer_ = temp_.file("lrk_update.exe");
  UpdateState state_;
  testing::RecordedServices recorded_;
};

TEST_F(NewVersionDialogTest, OffersTheUpdate) {
  for (const bool mandatory : {false, true}) {
    const auto dialog = Show(mandatory);
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    EXPECT_EQ(dialog->size(), QSize(421, 184));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog->windowTitle(), " Corvane");
    const QLabel* label = Find<QLabel>(*dialog, "Label1");
    EXPECT_EQ(label->text(), "The new version 2.5 is available\n\nWhat's new:\nFaster\n");
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->geometry(), QRect(90, 11, 307, 103));
    EXPECT_FALSE(Find<QLabel>(*dialog, "VirtualImage1")->pixmap().isNull());
    EXPECT_FALSE(Find<QProgressBar>(*dialog, "ProgressBar1")->isVisible());
    EXPECT_EQ(Button(*dialog, "btUpdateNow")->text(), "Update Now");
    EXPECT_EQ(Button(*dialog, "btCancel")->text(), mandatory ? "Exit" : "Skip");
    EXPECT_EQ(dialog->Tag(), 1);
  }
}

TEST_F(NewVersionDialogTest, ResultOfEachWayOut) {
  struct Case {
    const char* name;
    bool mandatory;
    std::function<void(TfrmNewVersion&)> leave;
    int tag;
  };
  const auto cancel = [](TfrmNewVersion& d) { Button(d, "btCancel")->click(); };
  const auto closeBox = [](TfrmNewVersion& d) { d.close(); };
  const auto escape = [](TfrmNewVersion& d) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&d, &key);
  };
  const Case cases[] = {
      {"Skip", false, cancel, 1},
      {"OptionalCloseBox", false, closeBox, 1},
      {"OptionalEscape", false, escape, 1},
      {"Exit", true, cancel, 0},
      {"MandatoryCloseBox", true, closeBox, 0},
      {"MandatoryEscape", true, escape, 0},
  };
  for (const Case& c : cases) {
    const auto dialog = Show(c.mandatory);
    c.leave(*dialog);
    EXPECT_FALSE(dialog->isVisible()) << c.name;
    EXPECT_EQ(dialog->Tag(), c.tag) << c.name;
  }
  EXPECT_TRUE(recorded_.events.isEmpty());
  EXPECT_TRUE(server_.requests().isEmpty());
}

TEST_F(NewVersionDialogTest, UpdateNowStartsTheInstallerAndEndsTheProgram) {
  temp_.Create({"lrk_update.exe"}, "an earlier, longer installer");
  server_.Serve("/download/zunt.exe", Answer::Page("MZ new"));
  const auto dialog = Show(false);
  Button(*dialog, "btUpdateNow")->click();
  EXPECT_EQ(recorded_.events, QStringList({"open: " + QUrl::fromLocalFile(installer_).toString()}));
  EXPECT_EQ(temp_.Read("lrk_update.exe"), "MZ new");
  EXPECT_TRUE(state_.QuitAfterDialog);
  EXPECT_EQ(dialog->Tag(), 0);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(Button(*dialog, "btUpdateNow")->isEnabled());
  EXPECT_EQ(Find<QProgressBar>(*dialog, "ProgressBar1")->value(), 100);
}

TEST_F(NewVersionDialogTest, EveryFailureEndsInTheErrorBoxAndTheHomePage) {
  std::vector<testing::DownloadFailure> cases = testing::DownloadFailures();
  Answer aborted = Answer::Page(Installer(100000));
  aborted.pauseAfter = 5000;
  cases.push_back({"Abort", aborted, "Download is cancelled. Please download manually."});
  for (const testing::DownloadFailure& c : cases) {
    recorded_.events.clear();
    const auto dialog = Show(false);
    QString buttonDuringDownload;
    Answer answer = c.answer;
    if (QString(c.name) == "Abort") {
      answer.onPause = [&] {
        QTimer::singleShot(20, dialog.get(), [&] {
          QPushButton* cancel = Button(*dialog, "btCancel");
          buttonDuringDownload = cancel->text();
          cancel->click();
        });
      };
    }
    server_.Serve("/download/zunt.exe", answer);
    Button(*dialog, "btUpdateNow")->click();
    EXPECT_EQ(recorded_.events,
              QStringList({"error: " + kFailed + c.error, "open: https://updates.example"}))
        << c.name;
    EXPECT_EQ(dialog->Tag(), 0) << c.name;
    EXPECT_FALSE(dialog->isVisible()) << c.name;
    if (QString(c.name) == "Abort") {
      EXPECT_EQ(buttonDuringDownload, "Abort");
    }
  }
}

// In the middle of a download: the bar's place, and a close box that waits
// for the download.
TEST_F(NewVersionDialogTest, DuringTheDownload) {
  struct Case {
    const char* name;
    bool chunked;
    int bar;
  };
  for (const Case& c : {Case{"DeclaredLength", false, 25}, Case{"Chunked", true, 0}}) {
    recorded_.events.clear();
    const auto dialog = Show(true);
    QProgressBar* bar = Find<QProgressBar>(*dialog, "ProgressBar1");
    Answer answer = Answer::Page(Installer(1000000));
    answer.chunked = c.chunked;
    answer.pauseAfter = 250000;
    int barAtPause = -1;
    bool openAfterCloseBox = false;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      const bool arrived = QFileInfo(installer_).size() >= 230000 && bar->value() == c.bar;
      if (!arrived && ++tries < 500) return;
      poll.stop();
      barAtPause = bar->isVisible() ? bar->value() : -1;
      dialog->close();
      openAfterCloseBox = dialog->isVisible();
      server_.Resume();
    });
    answer.onPause = [&] { poll.start(10); };
    server_.Serve("/download/zunt.exe", answer);
    Button(*dialog, "btUpdateNow")->click();
    EXPECT_EQ(barAtPause, c.bar) << c.name;
    EXPECT_TRUE(openAfterCloseBox) << c.name;
    EXPECT_EQ(recorded_.events,
              QStringList({"open: " + QUrl::fromLocalFile(installer_).toString()}))
        << c.name;
    EXPECT_EQ(temp_.Read("lrk_update.exe").size(), 1000000) << c.name;
    EXPECT_FALSE(dialog->isVisible()) << c.name;
  }
}

}  // namespace
}  // namespace corvane
