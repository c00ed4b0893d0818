#include "ui/action_table.h"

#include <QAction>

#include "i18n/translation.h"
#include "ui/theme.h"

namespace corvane {

ActionTable::ActionTable(std::vector<ActionRow> rows, QObject& parent) : rows_(std::move(rows)) {
  for (const ActionRow& row : rows_) {
    auto* action = new QAction(&parent);
    action->setObjectName(QString::fromLatin1(row.name));
    if (row.icon) {
      action->setIcon(ProgramIcon(QString::fromLatin1(row.icon)));
      action->setIconVisibleInMenu(false);
    }
    action->setShortcut(row.shortcut);
    if (row.widgetShortcut) action->setShortcutContext(Qt::WidgetShortcut);
    if (row.checked) {
      action->setCheckable(true);
      action->setChecked(*row.checked);
      QObject::connect(action, &QAction::toggled, action, row.handler);
    } else if (row.handler) {
      QObject::connect(action, &QAction::triggered, action, row.handler);
    }
    actions_.append(action);
  }
  ApplyTranslation();
}

QAction* ActionTable::operator[](const char* name) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (qstrcmp(rows_[i].name, name) == 0) return actions_[qsizetype(i)];
  }
  Q_ASSERT_X(false, "ActionTable", name);
  return nullptr;
}

void ActionTable::ApplyTranslation() {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const QString text = Translate(QString::fromUtf16(rows_[i].english));
    actions_[qsizetype(i)]->setText(text);
    actions_[qsizetype(i)]->setToolTip(text);
  }
}

void ActionTable::EnableListCommands(bool mayRun) {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].listCommand) actions_[qsizetype(i)]->setEnabled(mayRun);
  }
}

}  // namespace corvane
