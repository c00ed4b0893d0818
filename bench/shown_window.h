// The window benchmarks' common ground: 100,000 files in a temporary folder,
// made once per process, and a shown main window whose dialogs answer
// nothing and whose remembered choices live in a temporary file.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "ui/main_window.h"
#include "ui/preview_worker.h"

namespace corvane::bench {

inline constexpr int kFiles = 100'000;
using Clock = std::chrono::steady_clock;

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "bench: %s\n", what);
  std::exit(1);
}

inline double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

inline const QString& Folder() {
  static QTemporaryDir dir;
  static bool made = false;
  if (!made) {
    if (!dir.isValid()) std::abort();
    const QByteArray base = QFile::encodeName(dir.path());
    char name[64];
    for (int i = 0; i < kFiles; ++i) {
      std::snprintf(name, sizeof name, "/IMG_%06d holiday.jpg", i);
      const int fd = ::open((base + name).constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
      if (fd < 0 || ::write(fd, name, 16) != 16) std::abort();
      ::close(fd);
    }
    made = true;
  }
  static const QString path = dir.path();
  return path;
}

// Answers every question with `answer` and keeps the last box's text.
class SilentDialogs final : public Dialogs {
 public:
  void ShowMessage(QWidget*, Kind, const QString&, const QString& text) override {
    std::fprintf(stderr, "box: %s\n", qPrintable(text));
    lastMessage = text;
  }
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return answer; }
  QStringList OpenFileNames(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> OpenFileName(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> ExistingFolder(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  void RunModal(QDialog&) override {}

  bool answer = false;
  QString lastMessage;
};

// Services whose undo log and remembered choices live in `folder`.
inline WindowServices BenchServices(const QString& folder) {
  WindowServices services{
      RealFileSystem(), folder + QStringLiteral("/last_rename.csv"),
      EngineContext::Fixed(QDateTime(QDate(2026, 1, 2), QTime(3, 4), QTimeZone::utc()),
                           QTimeZone::utc())};
  services.userChoices = UserChoices::InIniFile(folder + QStringLiteral("/Corvane.conf"));
  return services;
}

struct ShownWindow {
  ShownWindow() : window(BenchServices(store.path()), dialogs) {
    window.show();
    QApplication::processEvents();
  }
  void Drop(const QString& folder) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    // Qt hands a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(600, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(600, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
  }
  int Rows() {
    return window.findChild<QTableView*>(QStringLiteral("lvFiles"))->model()->rowCount();
  }
  void Preview(const QString& pattern) {
    window.findChild<QLineEdit*>(QStringLiteral("edtPattern"))->setText(pattern);
    window.findChild<QAction*>(QStringLiteral("Preview1"))->trigger();
    QApplication::processEvents();  // the view draws the new names
  }
  // Until the worker's verdicts (or live preview) are in the rows.
  // Sleeps in the event loop as the window would: a loop polling for events
  // would take a core from the worker's threads.
  void WaitForWorker() {
    const auto* worker = window.findChild<PreviewWorker*>(QStringLiteral("previewWorker"));
    QTimer wake;  // every answer of the worker is an event; this only bounds a wait
    wake.start(5);
    while (worker->busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
  }
  QTemporaryDir store;
  SilentDialogs dialogs;
  TFormMain window;
};

// The application of a window benchmark: on the offscreen platform, and
// named as the program, whose name the window's captions and boxes use.
class OffscreenApplication : public QApplication {
 public:
  OffscreenApplication(int& argc, char** argv) : QApplication((Prepare(), argc), argv) {
    setApplicationName(QStringLiteral("Corvane"));
  }

 private:
  static void Prepare() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
};

}  // namespace corvane::bench
