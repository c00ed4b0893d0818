#include "update_ui/new_version_dialog.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

#include "base/english_text.h"
#include "i18n/translation.h"

namespace corvane {
namespace {

constexpr char16_t kFailedText[] =
    EN_TEXT("Failed to download update. Please download manually on website.");

// The buttons' design: right-aligned on one line, "Update Now" to the left.
constexpr int kButtonTop = 148;
constexpr int kButtonsRight = 394;
constexpr int kButtonGap = 13;
constexpr int kUpdateWidth = 100;
constexpr int kCancelWidth = 75;

QString Translated(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, QRect geometry) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

QString DisplayText(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TfrmNewVersion::TfrmNewVersion(UpdateState& state, DownloadPlan plan, UpdateUiServices services)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      state_(state),
      plan_(std::move(plan)),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("TfrmNewVersion"));
  setFixedSize(421, 184);

  VirtualImage1 = Place<QLabel>(this, "VirtualImage1", {9, 15, 70, 75});
  VirtualImage1->setAlignment(Qt::AlignCenter);
  VirtualImage1->setPixmap(
      QIcon(QStringLiteral(":/corvane/icons/update-icon.svg")).pixmap(QSize(64, 64)));

  // The text comes from the server: shown as plain text, never as markup.
  Label1 = Place<QLabel>(this, "Label1", {90, 11, 307, 103});
  Label1->setTextFormat(Qt::PlainText);
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  ProgressBar1 = Place<QProgressBar>(this, "ProgressBar1", {8, 124, 389, 17});
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->hide();

  btUpdateNow = Place<QPushButton>(this, "btUpdateNow", {0, kButtonTop, kUpdateWidth, 25});
  btCancel = Place<QPushButton>(this, "btCancel", {0, kButtonTop, kCancelWidth, 25});
  PlaceButtons();
  btUpdateNow->setAutoDefault(false);
  btCancel->setAutoDefault(false);
  connect(btUpdateNow, &QPushButton::clicked, this, &TfrmNewVersion::btUpdateNowClick);
  connect(btCancel, &QPushButton::clicked, this, &TfrmNewVersion::btCancelClick);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TfrmNewVersion::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmNewVersion::FormShow() {
  tag_ = 1;
  setWindowTitle(u' ' + QCoreApplication::applicationName());
  btUpdateNow->setText(Translated(EN_TEXT("Update Now")));
  btCancel->setText(state_.QuitAfterDialog ? Translated(EN_TEXT("Exit"))
                                           : Translated(EN_TEXT("Skip")));
  Label1->setText(DisplayText(state_.UpdateMessage));
  PlaceButtons();
}

// The design's widths, unless a language's words need more.
void TfrmNewVersion::PlaceButtons() {
  const int cancel = std::max(kCancelWidth, btCancel->sizeHint().width());
  const int update = std::max(kUpdateWidth, btUpdateNow->sizeHint().width());
  btCancel->setGeometry(kButtonsRight - cancel, kButtonTop, cancel, btCancel->height());
  btUpdateNow->setGeometry(kButtonsRight - cancel - kButtonGap - update, kButtonTop, update,
                           btUpdateNow->height());
}

void TfrmNewVersion::done(int result) {
  if (download_ != nullptr) return;
  FormClose();
  QDialog::done(result);
}

void TfrmNewVersion::FormClose() {
  if (state_.QuitAfterDialog) tag_ = 0;
}

void TfrmNewVersion::btCancelClick() {
  if (download_ != nullptr) {
    download_->Abort();
    return;
  }
  reject();
}

void TfrmNewVersion::btUpdateNowClick() {
  if (download_ != nullptr) return;
  state_.QuitAfterDialog = true;
  InstallerDownload download(plan_.settings);
  download_ = &download;

  btCancel->setText(Translated(EN_TEXT("Abort")));
  PlaceButtons();
  btUpdateNow->setEnabled(false);
  ProgressBar1->setValue(0);
  ProgressBar1->show();
  ProgressBar1->repaint();
  QCoreApplication::processEvents();

  Status status;
  const Result<QString> file = plan_.installerFile();
  if (!file) {
    status = file.error();
  } else {
    status = download.Run(plan_.installerUrl, *file, [this](int percent) {
      ProgressBar1->setValue(percent);
      ProgressBar1->repaint();
    });
  }
  download_ = nullptr;
  if (status.ok()) {
    services_.openAddress(QUrl::fromLocalFile(*file));
  } else {
    services_.showError(Translated(kFailedText) + QStringLiteral("\r\n\r\n") +
                        Translate(status.error()));
    services_.openAddress(plan_.homePage);
  }
  reject();
}

}  // namespace corvane
