#include "update/version_check.h"

#include <QBuffer>

#include "base/english_text.h"
#include "base/format.h"
#include "update/update_server.h"

namespace corvane {
namespace {

constexpr char16_t kMandatoryText[] = EN_TEXT(
    "This version of the software is out of date. You must download the current version %s "
    "to continue using the software.");
constexpr char16_t kOptionalText[] = EN_TEXT("The new version %s is available");
constexpr char16_t kWhatsNewText[] = EN_TEXT("What's new:");
constexpr QStringView kLineEnd = u"\r\n";

std::optional<int> WholeNumber(QStringView text) {
  if (text.isEmpty()) return std::nullopt;
  for (const QChar c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
  }
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

// Whether `format` takes exactly the one text it is given: every "%" starts
// "%%" or the single "%s". A translation that asks for more, or for a
// number, does not fit.
bool TakesOneText(QStringView format) {
  int texts = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    if (format[i] != u'%') continue;
    if (i + 1 >= format.size()) return false;
    const QChar kind = format[++i];
    if (kind == u's') {
      ++texts;
    } else if (kind != u'%') {
      return false;
    }
  }
  return texts <= 1;
}

QString LookedUp(const char16_t* english, const TextLookup& lookUp) {
  const QString text = QString::fromUtf16(english);
  return lookUp ? lookUp(text) : text;
}

}  // namespace

HttpSettings VersionCheckSettings() {
  HttpSettings settings;
  settings.redirectsFollowed = 9;
  settings.readTimeout = std::chrono::milliseconds(10000);
  // Start-up waits for the check with no window: whatever the server does,
  // the window shows within 15 s.
  settings.deadline = std::chrono::milliseconds(12000);
  return settings;
}

QStringList PageLines(QByteArrayView page) {
  if (page.startsWith("\xEF\xBB\xBF")) page = page.sliced(3);
  const QString text = QString::fromUtf8(page);
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.append(text.mid(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.append(text.mid(start));
  return lines;
}

QStringList ChangeLines(QByteArrayView page) {
  QStringList lines = PageLines(page);
  lines.removeIf([](const QString& line) { return line.isEmpty(); });
  return lines;
}

std::optional<VersionLine> ParseVersionLine(QStringView line) {
  const qsizetype slash = line.indexOf(u'/');
  if (slash < 0) return std::nullopt;
  const QStringView newestText = line.first(slash);
  const std::optional<int> newest = WholeNumber(newestText);
  const std::optional<int> minimum = WholeNumber(line.sliced(slash + 1));
  if (!newest || !minimum) return std::nullopt;
  return VersionLine{*newest, *minimum, DisplayVersion(newestText)};
}

QString DisplayVersion(QStringView newest) {
  if (newest.isEmpty()) return {};
  return newest.chopped(1).toString().append(u'.').append(newest.last(1));
}

std::optional<int> VersionTenths(QStringView versionText) {
  const qsizetype dot = versionText.indexOf(u'.');
  if (dot <= 0 || dot + 2 != versionText.size()) return std::nullopt;
  return WholeNumber(versionText.first(dot).toString().append(versionText.last(1)));
}

bool ComposeUpdate(const VersionLine& line, const QStringList& changes, int ownVersion,
                   UpdateState& state, const TextLookup& lookUp) {
  const bool mandatory = line.minimum > ownVersion;
  if (!mandatory && line.newest <= ownVersion) return false;
  const QString format = LookedUp(mandatory ? kMandatoryText : kOptionalText, lookUp);
  if (!TakesOneText(format)) return false;
  QString message = FormatText(format, {line.displayVersion});
  message += kLineEnd;
  message += kLineEnd;
  message += LookedUp(kWhatsNewText, lookUp);
  message += kLineEnd;
  for (const QString& change : changes) {
    message += change;
    message += kLineEnd;
  }
  state.UpdateMessage = message;
  if (mandatory) state.QuitAfterDialog = true;
  return true;
}

bool CheckForNewVersion(const QUrl& server, int ownVersion, UpdateState& state,
                        const HttpSettings& settings, const TextLookup& lookUp, Clock& clock) {
  QByteArray versionPage;
  QByteArray changeList;
  {
    HttpClient client(settings, clock);
    QBuffer buffer(&versionPage);
    buffer.open(QIODevice::WriteOnly);
    if (!client.Get(ServerAddress(server, kVersionPagePath), buffer).ok()) return false;
    QBuffer changes(&changeList);
    changes.open(QIODevice::WriteOnly);
    const HttpOutcome outcome = client.Get(ServerAddress(server, kChangeListPath), changes);
    if (outcome.failure == HttpOutcome::Failure::kTooManyRedirects) {
      changeList.clear();
    } else if (!outcome.ok()) {
      return false;
    }
  }
  const QStringList versionLines = PageLines(versionPage);
  if (versionLines.isEmpty()) return false;
  const std::optional<VersionLine> line = ParseVersionLine(versionLines.first());
  if (!line) return false;
  return ComposeUpdate(*line, ChangeLines(changeList), ownVersion, state, lookUp);
}

}  // namespace corvane
