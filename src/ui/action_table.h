// ActionTable: the window's commands made from one table of rows.
//
// A row gives an action's object name (which tests and UI automation find it
// by), its icon, its English text, its shortcut, what it does, and whether it
// is one of the list commands, which are disabled while long work runs. The
// table makes the actions, captions them in the current language (text and
// tool tip alike) and switches the list commands on and off.
#pragma once

#include <QKeySequence>
#include <QList>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QObject;

namespace corvane {

struct ActionRow {
  const char* name;
  const char* icon;  // of the program's icons; nullptr for none
  const char16_t* english;
  QKeySequence shortcut;
  // Given whether the action is checked, for a checkable one.
  std::function<void(bool checked)> handler;
  // The action is enabled only while a list command may run.
  bool listCommand = false;
  // Set for a checkable action: its start state, which runs no handler.
  std::optional<bool> checked = std::nullopt;
  // Its shortcut works only where the action is added (e.g. on the file list).
  bool widgetShortcut = false;
};

class ActionTable {
 public:
  // Makes the actions of `rows` as children of `parent` and captions them.
  ActionTable(std::vector<ActionRow> rows, QObject& parent);

  // The action named `name`, which must be in the table.
  QAction* operator[](const char* name) const;

  // Sets every text and tool tip in the current language.
  void ApplyTranslation();

  // Enables or disables the list commands.
  void EnableListCommands(bool mayRun);

 private:
  std::vector<ActionRow> rows_;
  QList<QAction*> actions_;  // in the order of rows_
};

}  // namespace corvane
