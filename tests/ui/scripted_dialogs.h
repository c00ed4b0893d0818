// ScriptedDialogs: the Dialogs of the window tests. A test primes the answers
// before the click; every box shown is recorded. A dialog nobody primed
// answers Cancel (or No), so a test never blocks, and is recorded as such.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <QDialog>

#include <deque>
#include <functional>
#include <optional>

#include "ui/dialogs.h"

namespace corvane::testing {

class ScriptedDialogs final : public Dialogs {
 public:
  struct Shown {
    Kind kind;
    QString title;
    QString text;
  };

  void AnswerNextQuestion(bool yes) { answers_.push_back(yes); }
  void ChooseNextFiles(const QStringList& files) { files_.push_back(files); }
  // An empty folder stands for Cancel.
  void ChooseNextFolder(const QString& folder) { folders_.push_back(folder); }
  // The answer of the next single-file open or save dialog; empty for Cancel.
  void ChooseNextFile(const QString& file) { names_.push_back(file); }
  // What the user does in the next modal dialog, while it is shown; the
  // dialog is closed afterwards (by its close box) if the script left it open.
  void WhenNextShown(std::function<void(QDialog&)> script) {
    scripts_.push_back(std::move(script));
  }

  void ShowMessage(QWidget*, Kind kind, const QString& title, const QString& text) override {
    messages.append({kind, title, text});
  }
  bool AskYesNo(QWidget*, const QString& title, const QString& text) override {
    questions.append(title + u'|' + text);
    return Next(answers_, false);
  }
  QStringList OpenFileNames(QWidget*, const QString& title, const QString& filter) override {
    fileDialogs.append(title + u'|' + filter);
    return Next(files_, QStringList());
  }
  std::optional<QString> OpenFileName(QWidget*, const QString& title,
                                      const QString& filter) override {
    fileDialogs.append(title + u'|' + filter);
    return NextName();
  }
  std::optional<QString> SaveFileName(QWidget*, const QString& title,
                                      const QString& filter) override {
    fileDialogs.append(title + u'|' + filter);
    return NextName();
  }
  void RunModal(QDialog& dialog) override {
    dialog.show();
    modalTitles.append(dialog.windowTitle());
    const std::function<void(QDialog&)> script = Next(scripts_, std::function<void(QDialog&)>());
    if (script) script(dialog);
    if (dialog.isVisible()) dialog.close();
  }
  std::optional<QString> ExistingFolder(QWidget*, const QString& title,
                                        const QString& startFolder) override {
    folderDialogs.append(title + u'|' + startFolder);
    const QString folder = Next(folders_, QString());
    if (folder.isEmpty()) return std::nullopt;
    return folder;
  }

  // Whether every primed answer was taken.
  bool AllAnswersTaken() const {
    return answers_.empty() && files_.empty() && folders_.empty() && names_.empty() &&
           scripts_.empty();
  }

  QList<Shown> messages;
  QStringList questions;      // "title|text"
  QStringList fileDialogs;    // "title|filter"
  QStringList folderDialogs;  // "title|start folder"
  QStringList modalTitles;    // the caption of each modal dialog as it was shown

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }

  std::deque<bool> answers_;
  std::deque<QStringList> files_;
  std::deque<QString> folders_;
  std::deque<QString> names_;
  std::deque<std::function<void(QDialog&)>> scripts_;

  std::optional<QString> NextName() {
    const QString name = Next(names_, QString());
    if (name.isEmpty()) return std::nullopt;
    return name;
  }
};

}  // namespace corvane::testing
