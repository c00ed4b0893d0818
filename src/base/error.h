// Error: the one error type for failures that end an operation.
//
// An Error carries the message exactly as the user will read it (already
// formatted; operating-system texts and the program's own English texts alike)
// and a stable code for callers and tests that need to tell failures apart.
// An error made from a program text with placeholders keeps the text and its
// values as well, so that whoever shows it can look the text up in the
// user's language before filling it in. Logic never throws across the event
// loop: it returns Status or Result<T>.
#pragma once

#include "base/format.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <variant>

namespace corvane {

class Error {
 public:
  enum class Code {
    kGeneric,          // any failure without a code of its own (often an OS message)
    kInvalidPath,      // "Invalid characters in path"
    kPathNotFound,     // "The specified path was not found"
    kFileNotFound,     // "The specified file was not found"
    kFileExists,       // "The specified file already exists"
    kRegex,            // a regular expression invalid, or too complex for a file
    kInvalidArgument,  // a value the operation cannot work with
    kNotSupported,     // the platform or the volume cannot do this
    kBusy,             // another process holds what the operation needs
  };

  explicit Error(QString message, Code code = Code::kGeneric)
      : message_(std::move(message)), text_(message_), code_(code) {}
  // A program text with "%s" and "%d" placeholders and their values
  // (base/format.h); message() is the English text filled in.
  Error(QString text, QStringList args, Code code)
      : message_(FormatText(text, args)),
        text_(std::move(text)),
        args_(std::move(args)),
        code_(code) {}

  const QString& message() const { return message_; }
  // The program text before its values were filled in, and the values; for an
  // error made from a message alone, that message and no values.
  const QString& text() const { return text_; }
  const QStringList& args() const { return args_; }
  Code code() const { return code_; }

 private:
  QString message_;
  QString text_;
  QStringList args_;
  Code code_;
};

// Status: success, or the Error that ended the operation.
class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Error error) : error_(std::move(error)) {}  // NOLINT: implicit by design

  static Status Ok() { return Status(); }

  bool ok() const { return !error_.has_value(); }
  explicit operator bool() const { return ok(); }
  // Requires !ok().
  const Error& error() const { return *error_; }

 private:
  std::optional<Error> error_;
};

// Result<T>: a value of T, or the Error that prevented it.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : data_(std::move(value)) {}      // NOLINT: implicit by design
  Result(Error error) : data_(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return std::holds_alternative<T>(data_); }
  explicit operator bool() const { return ok(); }

  // Require ok().
  const T& value() const& { return std::get<T>(data_); }
  T& value() & { return std::get<T>(data_); }
  T&& value() && { return std::get<T>(std::move(data_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }

  // Requires !ok().
  const Error& error() const { return std::get<Error>(data_); }

  Status status() const { return ok() ? Status() : Status(error()); }

 private:
  std::variant<T, Error> data_;
};

}  // namespace corvane
