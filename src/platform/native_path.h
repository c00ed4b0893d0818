// NativePath: a path in the encoding the POSIX system calls take, the bytes
// QFile::encodeName gives (Qt 6 holds the local 8-bit encoding to be UTF-8).
// Short paths stay on the stack: a batch or a folder scan makes several
// system calls per file, and a heap copy for each would cost more than the
// encoding itself.
#pragma once

#include <QStringEncoder>
#include <QStringView>
#include <QVarLengthArray>

namespace corvane {

class NativePath {
 public:
  explicit NativePath(QStringView path) : bytes_(path.size() * 3 + 1) {
    // A UTF-16 unit never takes more than three UTF-8 bytes.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    *utf8.appendToBuffer(bytes_.data(), path) = '\0';
  }
  NativePath(const NativePath&) = delete;
  NativePath& operator=(const NativePath&) = delete;

  const char* c_str() const { return bytes_.constData(); }

 private:
  QVarLengthArray<char, 1024> bytes_;
};

}  // namespace corvane
