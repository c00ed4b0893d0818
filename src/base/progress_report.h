// ProgressReport: how long work (a batch, an undo, a folder scan) tells how
// far it is.
//
// Advanced is called on the working thread after each file, between two
// operations on disk, never inside one; an implementation must be quick and
// must not touch the disk (a terminal line, a value another thread reads).
// The work passes over a null report.
#pragma once

#include <QtGlobal>

namespace corvane {

class ProgressReport {
 public:
  // The total of work that cannot know it yet (a folder scan counts the files
  // found so far).
  static constexpr qsizetype kUnknownTotal = -1;

  virtual ~ProgressReport() = default;
  // `done` of `total` files are through (done, passed over or left as they
  // are); `total` may be kUnknownTotal.
  virtual void Advanced(qsizetype done, qsizetype total) = 0;
};

}  // namespace corvane
