#include "ui/help_texts.h"

#include <QCoreApplication>
#include <QStringList>

#include "base/build_info.h"
#include "cli/run_command_line.h"
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
      Tr(u"Pattern defines how the new file name will be built."),
      QString(),
      Tr(u"You can combine plain text with keywords in braces."),
      Tr(u"Examples:"),
      QStringLiteral("{counter}_{name}"),
      QStringLiteral("yourprefix_{name}"),
      QStringLiteral("{name}_{imgw}x{imgh}"),
      QString(),
      Tr(u"Supported keywords:"),
      Keyword(u"{name}", u"file name after string replacement"),
      Keyword(u"{ext}", u"original file extension without dot"),
      Keyword(u"{counter}", u"auto-increment number"),
      Keyword(u"{date}", u"current date"),
      Keyword(u"{time}", u"current time"),
      Keyword(u"{created}", u"file creation date"),
      Keyword(u"{modified}", u"file modification date"),
      Keyword(u"{parent}/{folder}", u"parent folder name"),
      Keyword(u"{size}", u"file size in bytes"),
      Keyword(u"{list}", u"imported name list entry"),
      Keyword(u"{imgw}/{imgh}", u"image width/height when available"),
      QString(),
      Tr(u"Formatting examples:"),
      QStringLiteral("{date:yyyy-MM-dd}"),
      QStringLiteral("{created:yyyyMMdd}"),
      QStringLiteral("{modified:yyyy-MM-dd_HH-mm-ss}"),
      Keyword(u"{name:1:8}", u"substring of the original name"),
  };
  return lines.join(QStringLiteral("\r\n"));
}

QString AboutText() {
  return QCoreApplication::applicationName() + QStringLiteral("\r\n") + Tr(u"Version:") + u' ' +
         kVersionText.toString() + QStringLiteral("\r\n\r\n") + Tr(u"Website:") + u' ' +
         WebSiteHost();
}

}  // namespace corvane
