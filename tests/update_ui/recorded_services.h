// RecordedServices: the dialog's error box and desktop, recorded in the order
// they were used instead of shown.
#pragma once

#include <QStringList>
#include <QUrl>

#include "update_ui/new_version_dialog.h"

namespace corvane::testing {

struct RecordedServices {
  // "error: <text>" and "open: <address>", in order.
  QStringList events;

  UpdateUiServices services() {
    return {[this](const QString& text) { events.append("error: " + text); },
            [this](const QUrl& address) { events.append("open: " + address.toString()); }};
  }
};

}  // namespace corvane::testing
