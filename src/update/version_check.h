// CheckForNewVersion: at start-up, before any window, ask the update server
// for the newest and the minimum version and compose the message of the
// new-version dialog.
//
// Versions are whole numbers in tenths (2.5 is 25). The version page's first
// line is "newest/minimum"; the change list is plain text, one change a line.
// Both pages are fetched, in that order, over one client, before the version
// line is read; any failure (no network, a timeout, an error status, ten
// redirects on the version page, a malformed line, a translation whose
// placeholders do not fit) answers false and says nothing. The message's
// texts are the program's English ones, looked up through the caller's
// `lookUp` (the user's language) before they are filled in. Ten redirects on
// the change list leave the list empty.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

#include "update/http_client.h"

namespace corvane {

// What the check hands the new-version dialog.
struct UpdateState {
  QString UpdateMessage;
  // True for a mandatory update, and once a download has started: closing the
  // dialog then ends the program. Never set back to false.
  bool QuitAfterDialog = false;
};

struct VersionLine {
  int newest = 0;
  int minimum = 0;
  QString displayVersion;  // the newest version as the message shows it
};

// A program text in the user's language; the English text itself when none is given.
using TextLookup = std::function<QString(const QString& english)>;

// The HTTP settings of the check: 9 redirects followed, read timeout 10 s, and
// both pages within 12 s together.
HttpSettings VersionCheckSettings();

// A page's lines: a leading byte-order mark skipped, UTF-8 decoded, split at
// CR LF, LF or CR; a final line break ends the last line without starting
// another. An empty page has no lines.
QStringList PageLines(QByteArrayView page);

// The change list's lines without the empty ones (lines of spaces stay).
QStringList ChangeLines(QByteArrayView page);

// "25/24": newest and minimum. Nullopt without a slash, with an empty side or
// a side that is not a whole number in decimal digits.
std::optional<VersionLine> ParseVersionLine(QStringView line);

// The newest version's text with a dot before its last character:
// 25 gives 2.5, 100 gives 10.0, 3 gives .3, 025 gives 02.5.
QString DisplayVersion(QStringView newest);

// "2.4" in tenths (24); nullopt for a text that is not digits around one dot.
std::optional<int> VersionTenths(QStringView versionText);

// Decides on `line` against `ownVersion` (in tenths): a mandatory update when
// the minimum is above it, else an optional one when the newest is. Sets
// `state` and answers true only then.
bool ComposeUpdate(const VersionLine& line, const QStringList& changes, int ownVersion,
                   UpdateState& state, const TextLookup& lookUp = {});

// The whole check against `server`, its timeouts measured on `clock`.
bool CheckForNewVersion(const QUrl& server, int ownVersion, UpdateState& state,
                        const HttpSettings& settings = VersionCheckSettings(),
                        const TextLookup& lookUp = {}, Clock& clock = SystemClock());

}  // namespace corvane
