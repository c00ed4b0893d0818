#include "ui/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

namespace {

// ReadOnly only greys out the New Folder button of Qt's own dialog, whose
// widgets exist once it is shown; a desktop's native folder picker (GTK's,
// Windows') never shows this widget and may still offer a new folder.
class FolderPicker final : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

 protected:
  void showEvent(QShowEvent* event) override {
    QFileDialog::showEvent(event);
    if (auto* newFolder = findChild<QWidget*>(QStringLiteral("newFolderButton"))) {
      newFolder->hide();
    }
  }
};

}  // namespace

std::unique_ptr<QMessageBox> NewMessageBox(QWidget* parent, Dialogs::Kind kind,
                                           const QString& title, const QString& text) {
  using Kind = Dialogs::Kind;
  const QMessageBox::Icon icon = kind == Kind::kError     ? QMessageBox::Critical
                                 : kind == Kind::kWarning ? QMessageBox::Warning
                                                          : QMessageBox::Information;
  return std::make_unique<QMessageBox>(icon, title, text, QMessageBox::Ok, parent);
}

std::unique_ptr<QMessageBox> NewQuestionBox(QWidget* parent, const QString& title,
                                            const QString& text) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Question, title, text,
                                           QMessageBox::Yes | QMessageBox::No, parent);
  box->setDefaultButton(QMessageBox::Yes);
  return box;
}

std::unique_ptr<QFileDialog> NewFolderPicker(QWidget* parent, const QString& title,
                                             const QString& startFolder) {
  auto dialog = std::make_unique<FolderPicker>(parent, title, startFolder);
  dialog->setFileMode(QFileDialog::Directory);
  // Folders of the file system only, and no way to make a new one.
  dialog->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
  return dialog;
}

void QtDialogs::ShowMessage(QWidget* parent, Kind kind, const QString& title, const QString& text) {
  NewMessageBox(parent, kind, title, text)->exec();
}

bool QtDialogs::AskYesNo(QWidget* parent, const QString& title, const QString& text) {
  return NewQuestionBox(parent, title, text)->exec() == QMessageBox::Yes;
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
  const std::unique_ptr<QFileDialog> dialog = NewFolderPicker(parent, title, startFolder);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return dialog->selectedFiles().first();
}

}  // namespace corvane
