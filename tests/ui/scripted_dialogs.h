// ScriptedDialogs: the Dialogs of the window tests. A test primes the answers
// before the click; every box shown is recorded. A dialog nobody primed
// answers Cancel (or No), so a test never blocks, and is recorded as such.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
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
  std::optional<QString> ExistingFolder(QWidget*, const QString& title,
                                        const QString& startFolder) override {
    folderDialogs.append(title + u'|' + startFolder);
    const QString folder = Next(folders_, QString());
    if (folder.isEmpty()) return std::nullopt;
    return folder;
  }

  // Whether every primed answer was taken.
  bool AllAnswersTaken() const { return answers_.empty() && files_.empty() && folders_.empty(); }

  QList<Shown> messages;
  QStringList questions;      // "title|text"
  QStringList fileDialogs;    // "title|filter"
  QStringList folderDialogs;  // "title|start folder"

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
};

}  // namespace corvane::testing
