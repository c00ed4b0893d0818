#include "ui/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

void QtDialogs::ShowMessage(QWidget* parent, Kind kind, const QString& title, const QString& text) {
  const QMessageBox::Icon icon = kind == Kind::kError     ? QMessageBox::Critical
                                 : kind == Kind::kWarning ? QMessageBox::Warning
                                                          : QMessageBox::Information;
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtDialogs::AskYesNo(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

QStringList QtDialogs::OpenFileNames(QWidget* parent, const QString& title, const QString& filter) {
  return QFileDialog::getOpenFileNames(parent, title, QString(), filter, nullptr,
                                       QFileDialog::ReadOnly);
}

namespace {

// Qt's file dialogs answer Cancel with an empty name.
std::optional<QString> Chosen(const QString& file) {
  if (file.isEmpty()) return std::nullopt;
  return file;
}

}  // namespace

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const QString& title,
                                               const QString& filter) {
  return Chosen(QFileDialog::getOpenFileName(parent, title, QString(), filter, nullptr,
                                             QFileDialog::ReadOnly));
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, const QString& title,
                                               const QString& filter) {
  // Saving a preset replaces a file of that name without asking.
  return Chosen(QFileDialog::getSaveFileName(parent, title, QString(), filter, nullptr,
                                             QFileDialog::DontConfirmOverwrite));
}

void QtDialogs::RunModal(QDialog& dialog) { dialog.exec(); }

std::optional<QString> QtDialogs::ExistingFolder(QWidget* parent, const QString& title,
                                                 const QString& startFolder) {
  // Folders of the file system only, and no button that makes a new one.
  QFileDialog dialog(parent, title, startFolder);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

}  // namespace corvane
