// Notice: a message that an operation asks its caller to show.
//
// Logic never shows anything itself. It returns a Notice holding the program's
// English text, unformatted; the window shows it as a box and the command line
// prints it, both after passing the text through Translate.
#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

struct Notice {
  enum class Kind { kInformation, kWarning };

  Kind kind = Kind::kInformation;
  QString text;      // English, as the program holds it; look up, then format
  QStringList args;  // the values of its placeholders, in order

  static Notice Information(QString text, QStringList args = {}) {
    return {Kind::kInformation, std::move(text), std::move(args)};
  }
  static Notice Warning(QString text, QStringList args = {}) {
    return {Kind::kWarning, std::move(text), std::move(args)};
  }
  friend bool operator==(const Notice&, const Notice&) = default;
};

}  // namespace corvane
