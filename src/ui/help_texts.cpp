#include "ui/help_texts.h"

#include <QCoreApplication>
#include <QStringList>

#include "base/build_info.h"
#include "base/english_text.h"
#include "i18n/translation.h"

namespace corvane {
namespace {

constexpr char16_t kSupportPath[] = u"/support.html";
constexpr char16_t kTutorialPath[] = u"/redirect/tutorial-zunt.html";

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

// A keyword line: the keyword, untranslated, then what it gives.
QString Keyword(const char16_t* keyword, const char16_t* english) {
  return QString::fromUtf16(keyword) + QStringLiteral(" - ") + Tr(english);
}

QUrl Page(const char16_t* path) { return QUrl(WebSiteAddress() + QString::fromUtf16(path)); }

}  // namespace

QString WebSiteAddress() { return QStringLiteral(CORVANE_WEB_SITE_BUILT); }

QString WebSiteHost() { return QUrl(WebSiteAddress()).host(); }

QUrl HomePageUrl() { return QUrl(WebSiteAddress()); }
QUrl SupportPageUrl() { return Page(kSupportPath); }
QUrl TutorialPageUrl() { return Page(kTutorialPath); }

QString PatternHelpText() {
  const QStringList lines = {
      Tr(EN_TEXT("Pattern defines how the new file name will be built.")),
      QString(),
      Tr(EN_TEXT("You can combine plain text with keywords in braces.")),
      Tr(EN_TEXT("Examples:")),
      QStringLiteral("{counter}_{name}"),
      QStringLiteral("yourprefix_{name}"),
      QStringLiteral("{name}_{imgw}x{imgh}"),
      QString(),
      Tr(EN_TEXT("Supported keywords:")),
      Keyword(u"{name}", EN_TEXT("file name after string replacement")),
      Keyword(u"{ext}", EN_TEXT("original file extension without dot")),
      Keyword(u"{counter}", EN_TEXT("auto-increment number")),
      Keyword(u"{date}", EN_TEXT("current date")),
      Keyword(u"{time}", EN_TEXT("current time")),
      Keyword(u"{created}", EN_TEXT("file creation date")),
      Keyword(u"{modified}", EN_TEXT("file modification date")),
      Keyword(u"{parent}/{folder}", EN_TEXT("parent folder name")),
      Keyword(u"{size}", EN_TEXT("file size in bytes")),
      Keyword(u"{list}", EN_TEXT("imported name list entry")),
      Keyword(u"{imgw}/{imgh}", EN_TEXT("image width/height when available")),
      QString(),
      Tr(EN_TEXT("Formatting examples:")),
      QStringLiteral("{date:yyyy-MM-dd}"),
      QStringLiteral("{created:yyyyMMdd}"),
      QStringLiteral("{modified:yyyy-MM-dd_HH-mm-ss}"),
      Keyword(u"{name:1:8}", EN_TEXT("substring of the original name")),
  };
  return lines.join(QStringLiteral("\r\n"));
}

QString AboutText() {
  return QCoreApplication::applicationName() + QStringLiteral("\r\n") + Tr(EN_TEXT("Version:")) +
         u' ' + kVersionText.toString() + QStringLiteral("\r\n\r\n") + Tr(EN_TEXT("Website:")) +
         u' ' + WebSiteHost();
}

}  // namespace corvane
