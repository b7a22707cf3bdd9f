#pragma once

// File and folder operations on GBK paths. The logic forms paths by joining the run directory
// with tails that begin with a backslash; on Linux a backslash maps to "/" and the GBK bytes to
// UTF-8, on Windows the GBK bytes to UTF-16 for the wide system calls. Nothing here throws or
// shows anything: an operation returns a FileResult (file_result.h) that carries the cause of
// its failure; FileExists, a question, answers yes or no.

#include <span>
#include <string>
#include <string_view>

#include "runtime/file_result.h"

namespace velmora {

// The run directory split off an executable path at its last backslash ("C:" for C:\app.exe,
// empty without a backslash).
std::string RunDirectoryFromExecutablePath(std::string_view executable_path);
// Fixed once at start (GBK, no trailing separator); also makes it the current folder.
FileResult SetRunDirectory(std::string_view run_directory);
std::string RunDirectory();

// The native form of a GBK path in UTF-8: "/"-separated on Linux, as it is on Windows.
std::string NativePath(std::string_view path);

[[nodiscard]] bool FileExists(std::string_view path);  // files and folders
// One level; fails when it exists or its parent is missing.
FileResult MakeDirectory(std::string_view path);
// Fails for a folder and for a read-only file, as on Windows.
FileResult RemoveFile(std::string_view path);
// Never replaces: fails when the new name exists.
FileResult RenameFile(std::string_view old_path, std::string_view new_path);

// Reads a whole file; bytes is empty when it cannot be read.
FileResult ReadWholeFile(std::string_view path, std::string& bytes);
// Writes a temporary file in the same folder, flushes it to disk and renames it over the
// target. On any failure the old file stays byte for byte as it was; a read-only target is
// never replaced.
FileResult ReplaceFileAtomically(std::string_view path, std::string_view bytes);
// The same with the new content given as pieces written one after another.
FileResult ReplaceFileAtomically(std::string_view path, std::span<const std::string_view> pieces);

}  // namespace velmora
