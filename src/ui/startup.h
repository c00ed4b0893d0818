// The window's start-up after the application object exists: the theme, the
// application title, the translations (ours and Qt's own), the settings
// dialog (hidden), then the main window with its language menu, shown, with
// the paths a file manager handed over already added as a drop adds them.
#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "base/english_text.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"

class QApplication;

namespace corvane {

// The message and exit status of a start without a display.
inline constexpr char16_t kNoDisplayText[] =
    EN_TEXT("Cannot open the window: no display. Use corvane /cli to rename from a terminal.");
inline constexpr int kExitNoDisplay = 1;

// Loads the translations beside the executable (TranslationFilePath) in the
// language remembered in the user's choices, else the system's. Start-up goes
// on in English whatever went wrong; the user is not told.
void LoadTranslationsForUser();

// `paths` are made absolute from the current folder first. A theme that
// cannot be applied is reported in an error box, and start-up goes on with
// the plain look. `beforeWindow`, when given, runs once the translations are
// loaded; when it answers false no window is made and nullptr is returned.
// `dialogs` must outlive the window.
std::unique_ptr<TFormMain> StartMainWindow(QApplication& app, Dialogs& dialogs,
                                           const WindowServices& services, const QStringList& paths,
                                           const std::function<bool()>& beforeWindow = {});

}  // namespace corvane
