#include "cli/terminal_progress.h"

#include <cstdio>

#include "base/english_text.h"
#include "base/format.h"
#include "i18n/translation.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace corvane {

TerminalWriter StandardErrorIfTerminal() {
#ifdef Q_OS_WIN
  const bool terminal = _isatty(_fileno(stderr)) != 0;
#else
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
#endif
  if (!terminal) return {};
  return [](QByteArrayView bytes) {
    std::fwrite(bytes.data(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
  };
}

TerminalProgress::TerminalProgress(TerminalWriter write, std::chrono::milliseconds firstAfter,
                                   std::chrono::milliseconds every)
    : write_(std::move(write)), every_(every), next_(Clock::now() + firstAfter) {}

TerminalProgress::~TerminalProgress() {
  if (shownWidth_ == 0) return;
  write_('\r' + QByteArray(shownWidth_, ' ') + '\r');
}

void TerminalProgress::Advanced(qsizetype done, qsizetype total) {
  // Reading the clock for every file would cost a fast batch more than the
  // line is worth; every 16th file is often enough for a terminal.
  if ((++calls_ & 15) != 1 && done != total) return;
  const Clock::time_point now = Clock::now();
  if (now < next_) return;
  next_ = now + every_;
  const QString line = FormatText(Translate(QStringLiteral(EN_TEXT("Files done: %d of %d"))),
                                  {QString::number(done), QString::number(total)});
  // A shorter line must cover the end of a longer one.
  const qsizetype width = line.size();
  QByteArray bytes = '\r' + line.toUtf8();
  if (width < shownWidth_) bytes += QByteArray(shownWidth_ - width, ' ');
  shownWidth_ = std::max(width, shownWidth_);
  write_(bytes);
}

}  // namespace corvane
