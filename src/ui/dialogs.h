// Dialogs: every message box and every file or folder dialog the windows
// show goes through this one interface, so that tests answer them in advance
// and a window test never blocks on a modal box.
//
// Texts arrive in their final language; the implementation only shows them.
// `parent` is the window that owns the modal box (it may be null).
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QDialog;
class QFileDialog;
class QMessageBox;
class QWidget;

namespace corvane {

class Dialogs {
 public:
  enum class Kind { kInformation, kWarning, kError };

  virtual ~Dialogs() = default;

  // A box with an OK button.
  virtual void ShowMessage(QWidget* parent, Kind kind, const QString& title,
                           const QString& text) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
  // Existing files chosen in a file-open dialog (several at once), in the
  // order the dialog returns them; empty on Cancel. `filter` is in Qt's form.
  virtual QStringList OpenFileNames(QWidget* parent, const QString& title,
                                    const QString& filter) = 0;
  // One existing file chosen in a file-open dialog; nullopt on Cancel.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                              const QString& filter) = 0;
  // The name chosen in a file-save dialog (the file may exist, and is then
  // replaced without asking); nullopt on Cancel.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                              const QString& filter) = 0;
  // A folder chosen in the folder picker, starting at `startFolder`;
  // nullopt on Cancel.
  virtual std::optional<QString> ExistingFolder(QWidget* parent, const QString& title,
                                                const QString& startFolder) = 0;
  // Shows a dialog window of the program modally and returns when it has
  // been closed; the dialog stays alive, hidden.
  virtual void RunModal(QDialog& dialog) = 0;
};

// The real boxes and dialogs of Qt Widgets.
class QtDialogs final : public Dialogs {
 public:
  void ShowMessage(QWidget* parent, Kind kind, const QString& title, const QString& text) override;
  bool AskYesNo(QWidget* parent, const QString& title, const QString& text) override;
  QStringList OpenFileNames(QWidget* parent, const QString& title, const QString& filter) override;
  std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                      const QString& filter) override;
  std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                      const QString& filter) override;
  std::optional<QString> ExistingFolder(QWidget* parent, const QString& title,
                                        const QString& startFolder) override;
  void RunModal(QDialog& dialog) override;
};

// The boxes and the folder picker QtDialogs shows, made but not yet shown,
// so that their buttons and texts can be looked at without a modal loop.
std::unique_ptr<QMessageBox> NewMessageBox(QWidget* parent, Dialogs::Kind kind,
                                           const QString& title, const QString& text);
std::unique_ptr<QMessageBox> NewQuestionBox(QWidget* parent, const QString& title,
                                            const QString& text);
std::unique_ptr<QFileDialog> NewFolderPicker(QWidget* parent, const QString& title,
                                             const QString& startFolder);

}  // namespace corvane
