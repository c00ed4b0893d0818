// The texts of notices and errors as the user reads them, in the current
// language (i18n/translation.h).
#pragma once

#include <QString>

#include "base/error.h"
#include "base/notice.h"

namespace corvane {

// The text of the general error report: `message` with a full stop appended
// unless it ends in one or in a character whose code is below the full stop's.
QString ErrorReportText(const QString& message);

// A notice's text as the user reads it: looked up through Translate, then
// filled with its values (a text without values is shown as it stands, "%"
// and all).
QString NoticeText(const Notice& notice);

// The general error report of `error`: its text looked up and filled in the
// same way, with the full stop of ErrorReportText.
QString ErrorReportText(const Error& error);

}  // namespace corvane
