// The texts and addresses of the Help menu: the pattern help, the About box
// and the pages of the maker's web site.
//
// The web site is one build setting (CMake cache variable CORVANE_WEB_SITE:
// scheme and host, no path); the status-line link, the three pages and the
// About box all come from it. The texts are built in the current language at
// the moment they are asked for; keywords and examples are never translated.
#pragma once

#include <QString>
#include <QUrl>

namespace corvane {

// The site's address as the status-line link shows it: scheme and host.
QString WebSiteAddress();
// The host alone, as the About box names it.
QString WebSiteHost();

QUrl HomePageUrl();
QUrl SupportPageUrl();
QUrl TutorialPageUrl();

// The 26 lines of the pattern help, joined by CR LF, no break after the last.
QString PatternHelpText();

// The title, "Version:" and the version, an empty line, "Website:" and the host.
QString AboutText();

}  // namespace corvane
