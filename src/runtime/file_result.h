#pragma once

// The one result of the runtime's operations on files and folders: success, or the cause of the
// failure in one line that names the operation, the file and the platform's reason ("cannot
// replace /home/u/Velmora/Data/周报.ini: No space left on device"). The reason is errno's text
// (strerror) on POSIX and the system's message for the Win32 error on Windows. The cause is
// UTF-8, for standard error, never for the model or a message box. The type is [[nodiscard]]:
// a caller uses every result or says in a comment why it may drop it.

#include <string>
#include <string_view>
#include <utility>

namespace velmora {

class [[nodiscard]] FileResult {
 public:
  static FileResult Success() { return FileResult(true, {}); }
  static FileResult Failure(std::string cause) { return FileResult(false, std::move(cause)); }
  // A failure because another program holds the file (its native path, UTF-8) open: the user
  // can close that program and try again.
  static FileResult Held(std::string cause, std::string held_file) {
    FileResult result(false, std::move(cause));
    result.held_file_ = std::move(held_file);
    return result;
  }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // Empty on success.
  const std::string& cause() const { return cause_; }
  bool held() const { return !held_file_.empty(); }
  // Empty unless held.
  const std::string& held_file() const { return held_file_; }
  // The same failure, held or not, told with another cause.
  FileResult WithCause(std::string cause) const {
    FileResult result = *this;
    result.cause_ = std::move(cause);
    return result;
  }

 private:
  FileResult(bool ok, std::string cause) : ok_(ok), cause_(std::move(cause)) {}

  bool ok_;
  std::string cause_;
  std::string held_file_;
};

// The form of every cause: "cannot <doing> <what>: <reason>".
inline FileResult FailureOf(std::string_view doing, std::string_view what,
                            std::string_view reason) {
  std::string cause = "cannot ";
  cause.append(doing).append(" ").append(what).append(": ").append(reason);
  return FileResult::Failure(std::move(cause));
}

// An operation asked of an empty path, which names no file.
inline FileResult UnnamedFailure(std::string_view doing) {
  return FileResult::Failure(std::string("cannot ").append(doing).append(" a file without a name"));
}

// The first failure of two steps that both ran, with the second's cause joined when it failed
// too, so that the line on standard error tells both.
inline FileResult FirstFailure(FileResult first, FileResult second) {
  if (first.ok()) return second;
  if (second.ok()) return first;
  if (!first.held() && second.held())
    return second.WithCause(first.cause() + "; " + second.cause());
  return first.WithCause(first.cause() + "; " + second.cause());
}

// A failure whose undoing was tried: the undoing's cause is joined when it failed as well.
inline FileResult FailureAfterUndo(FileResult failure, const FileResult& undo) {
  if (undo.ok()) return failure;
  return failure.WithCause(failure.cause() + "; undoing it: " + undo.cause());
}

}  // namespace velmora
