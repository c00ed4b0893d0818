// Qt's own texts (the standard buttons of message boxes, the file and folder
// dialogs) in the program's current language, from Qt's translation files:
// those shipped beside the program (a Windows build) first, else Qt's own
// installed ones. English needs none; a language Qt has no file for stays
// English without a word to the user.
#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

// The folders searched for Qt's translation files, in order.
QStringList QtTranslationFolders();

// Replaces the Qt translation installed on the application with the one for
// `languageCode` ("de", "pt", ...); none for English or an empty code.
// Returns whether one is installed now.
bool UseQtTextsIn(const QString& languageCode);

// The same for the catalogue's current language (i18n/translation.h). A
// remembered code the catalogue has no column for counts as English, as it
// does for the program's own texts.
bool UseQtTextsInCurrentLanguage();

}  // namespace corvane
