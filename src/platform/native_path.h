// NativePath: a path in the bytes the POSIX system calls take, encoded as
// EncodeNativeName (platform/native_name.h) encodes it, so that a name read
// from the system as bytes that are not UTF-8 reaches the system as those
// bytes again. Short paths stay on the stack: a batch or a folder scan makes
// several system calls per file, and a heap copy for each would cost more than
// the encoding itself.
#pragma once

#include "platform/native_name.h"

#include <QStringView>
#include <QVarLengthArray>

namespace corvane {

class NativePath {
 public:
  explicit NativePath(QStringView path) : bytes_(path.size() * 3 + 1) {
    *EncodeNativeNameTo(path, bytes_.data()) = '\0';
  }
  NativePath(const NativePath&) = delete;
  NativePath& operator=(const NativePath&) = delete;

  const char* c_str() const { return bytes_.constData(); }

 private:
  QVarLengthArray<char, 1024> bytes_;
};

}  // namespace corvane
