// TFormSettings: the settings dialog, the store of the five rename options
// changed less often than those of the main window (counterStart, digits,
// conflict, regex, touchModifiedNow).
//
// It is made once at start-up, hidden, and lives until the program ends; its
// controls hold the values for the whole run, whether it is shown or not.
// There is no OK or Cancel: a change counts at once, and "Close" or the close
// box only hide it. Each time it is shown it re-captions itself in the current
// language, keeping the selected conflict entry. Controls carry their names as
// object names (edtCounterStart, edtDigits, cbConflict, cbRegex,
// chkTouchModifiedNow, Button1).
#pragma once

#include <QDialog>

#include "engine/rename_options.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

class OptionForm;
class WrappedLabel;

class TFormSettings final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSettings(QWidget* parent = nullptr);

  // Copies the five values of the controls into `options`.
  void ReadInto(RenameOptions& options) const;
  // Puts the five values of `options` into the controls.
  void Write(const RenameOptions& options);

  // Sets every text in the current language; the selected conflict stays.
  void ApplyTranslation();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QGroupBox* counterGroup_ = nullptr;
  QGroupBox* conflictGroup_ = nullptr;
  QGroupBox* renamingGroup_ = nullptr;
  QGroupBox* timestampGroup_ = nullptr;
  WrappedLabel* counterNote_ = nullptr;   // when the counter rows apply
  WrappedLabel* conflictNote_ = nullptr;  // when the conflict row applies
  QPushButton* closeButton_ = nullptr;
  OptionForm* form_ = nullptr;  // the controls of the five options (ui/option_rows.h)
};

}  // namespace corvane
