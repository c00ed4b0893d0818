// OptionForm: option controls made from a table of rows, one row for each
// field of RenameOptions that a window shows.
//
// A row names the group box it sits in, its English caption, the object name
// of its control (which tests and UI automation find it by) and the field it
// holds. From that one table the form makes and places the controls, reads
// and writes the options, tells when one was edited (Edited), gives the tab
// order, and re-captions the controls. The group boxes, each with a
// QGridLayout, are made by the owner under the root widget before the form;
// rows placed by the owner are made under the root and left to the owner to
// lay out.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <span>
#include <variant>

#include "engine/rename_options.h"

class QLabel;
class QWidget;

namespace corvane {

enum class OptionControl {
  kText,    // a line edit
  kNumber,  // a number box with spin buttons
  kCount,   // a number box without steps or upper limit
  kCheck,   // a check box whose text is the caption
  kChoice,  // a drop-down list of fixed entries
};

// The field of RenameOptions a control holds; made by the functions below,
// which pair each kind of control with the type of field it can hold.
struct OptionField {
  OptionControl control;
  std::variant<QString RenameOptions::*, bool RenameOptions::*, int RenameOptions::*> member;
  std::span<const char16_t* const> entries = {};  // a choice's, in English
};

constexpr OptionField TextField(QString RenameOptions::*member) {
  return {OptionControl::kText, member};
}
constexpr OptionField NumberField(QString RenameOptions::*member) {
  return {OptionControl::kNumber, member};
}
constexpr OptionField CountField(QString RenameOptions::*member) {
  return {OptionControl::kCount, member};
}
constexpr OptionField CheckField(bool RenameOptions::*member) {
  return {OptionControl::kCheck, member};
}
constexpr OptionField ChoiceField(int RenameOptions::*member,
                                  std::span<const char16_t* const> entries) {
  return {OptionControl::kChoice, member, entries};
}

// Where a row goes in its group's grid of three columns.
enum class OptionPlace {
  kCaptioned,       // the caption in column 0, the control across the rest
  kBesideButton,    // as kCaptioned, the last column left to a button (AddBeside)
  kCheckCaption,    // a check box in column 0, as the caption of the next row
  kBesideCheck,     // on the check box's row, enabled while it is checked
  kAcross,          // across the whole row
  kWrappedCaption,  // a long caption over two columns, the control in the last
  kByOwner,         // laid out by the owner
  kHidden,          // never shown, out of the tab order
};

struct OptionRow {
  const char* group;        // object name of the group box; unused by kByOwner, kHidden
  const char16_t* caption;  // English
  const char* name;         // object name of the control
  OptionField field;
  OptionPlace place = OptionPlace::kCaptioned;
  const char* labelName = nullptr;  // object name of the caption's label, when it needs one
};

class OptionForm final : public QObject {
  Q_OBJECT

 public:
  // Makes the controls of `rows` under `root`, which must outlive the form,
  // and captions them in the current language.
  OptionForm(std::span<const OptionRow> rows, QWidget& root);

  // Copies the values of the controls into the fields of the rows.
  void ReadInto(RenameOptions& options) const;
  // Puts the fields of the rows into the controls; a choice outside the
  // entries selects none.
  void Write(const RenameOptions& options);

  // Sets every caption, accessible name and entry in the current language;
  // the selected entries stay.
  void ApplyTranslation();

  // The controls in the order of the rows, each button added beside a
  // control right after it; hidden rows left out.
  QList<QWidget*> TabOrder() const;

  // Puts `button` in the last column of the row of control `name`, after
  // that control in the tab order.
  void AddBeside(const char* name, QWidget* button);

  // The control and the caption label of the row of control `name`.
  template <typename W = QWidget>
  W* Control(const char* name) const {
    return static_cast<W*>(Made(name).control);
  }
  QLabel* Label(const char* name) const { return Made(name).label; }

 signals:
  // A control's value changed, by the user or by Write.
  void Edited();

 private:
  struct MadeRow {
    const OptionRow* row;
    QWidget* control;
    QLabel* label;  // none for check boxes and beside-check rows
    QWidget* beside = nullptr;
  };

  MadeRow& Made(const char* name);
  const MadeRow& Made(const char* name) const;
  QWidget* MakeControl(const OptionRow& row);
  void Place(MadeRow& made, QWidget& root);
  void ConnectEdits(const MadeRow& made);

  QList<MadeRow> made_;
};

}  // namespace corvane
