// The options every preview benchmark uses: a keyword pattern, a
// regular-expression find and replace and Title Case.
#pragma once

#include "engine/rename_options.h"

namespace corvane {

inline RenameOptions PreviewOptions() {
  RenameOptions options;
  options.pattern = QStringLiteral("{counter}_{name}_{date:yyyy-mm-dd}");
  options.regex = true;
  options.find = QStringLiteral("IMG_(\\d+)");
  options.replace = QStringLiteral("photo-$1");
  options.caseMode = static_cast<int>(CaseMode::TitleCase);
  options.digits = QStringLiteral("6");
  return options;
}

}  // namespace corvane
