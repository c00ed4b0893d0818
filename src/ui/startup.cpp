#include "ui/startup.h"

#include <QApplication>
#include <QDir>

#include "i18n/qt_texts.h"
#include "i18n/translation.h"
#include "platform/paths.h"
#include "platform/translation_file.h"
#include "platform/user_choices.h"
#include "ui/dialog_sink.h"
#include "ui/settings_dialog.h"
#include "ui/theme.h"

namespace corvane {

void LoadTranslationsForUser() {
  const QString path = TranslationFilePath(QCoreApplication::applicationDirPath());
  static_cast<void>(LoadTranslationsFrom(path, LanguageToOpenIn(UserChoices::ForUser())));
}

std::unique_ptr<TFormMain> StartMainWindow(QApplication& app, Dialogs& dialogs,
                                           const WindowServices& services, const QStringList& paths,
                                           const std::function<bool()>& beforeWindow) {
  const Status theme = ApplyTheme(app);
  // The title comes before the translations: the remembered language is
  // stored under it. The theme's box waits for it, so it carries the title.
  QApplication::setApplicationName(QStringLiteral("Corvane"));
  QApplication::setWindowIcon(ProgramIcon(QStringLiteral("corvane")));
  if (!theme.ok()) DialogSink(dialogs, nullptr).ShowError(theme.error());
  LoadTranslationsForUser();
  UseQtTextsInCurrentLanguage();
  if (beforeWindow && !beforeWindow()) return nullptr;

  // The settings dialog exists, hidden, before the window whose commands read it.
  auto settings = std::make_unique<TFormSettings>();
  auto window = std::make_unique<TFormMain>(services, dialogs, std::move(settings));
  window->show();
  if (!paths.isEmpty()) {
    QStringList absolute;
    const QString here = QDir::currentPath();
    for (const QString& path : paths) absolute.append(AbsoluteFrom(here, path));
    window->AddDroppedPaths(absolute);
  }
  return window;
}

}  // namespace corvane
