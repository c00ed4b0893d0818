// Notice: a message that an operation asks its caller to show.
//
// Logic never shows anything itself. It returns a Notice holding the program's
// English text, unformatted; the window shows it as a box and the command line
// prints it, both after passing the text through Translate.
#pragma once

#include <QString>

namespace corvane {

struct Notice {
  enum class Kind { kInformation, kWarning };

  Kind kind = Kind::kInformation;
  QString text;  // English, as the program holds it; look up, then format

  static Notice Information(QString text) { return {Kind::kInformation, std::move(text)}; }
  static Notice Warning(QString text) { return {Kind::kWarning, std::move(text)}; }
  friend bool operator==(const Notice&, const Notice&) = default;
};

}  // namespace corvane
