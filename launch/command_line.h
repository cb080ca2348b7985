// Reading the launcher's own command line: where its own path ends, where the
// argument text for the Java program starts, and the program directory and
// base name that the path gives.

#ifndef LAUNCHER_LAUNCH_COMMAND_LINE_H_
#define LAUNCHER_LAUNCH_COMMAND_LINE_H_

#include <stddef.h>

#include "base/text.h"

// A stretch of bytes inside a longer string.
struct ByteSpan {
  const char* start;
  size_t length;
};

// How many bytes at the start of `command_line` spell `executable_path` (the
// running file's full path, "" when unknown), compared without regard to the
// case of A-Z, when the line does not start with a quote or an apostrophe and
// the path is followed by a space, a tab or the end of the line; 0 otherwise.
// This lets an unquoted path with spaces (C:\Program Files\App\App.exe, as an
// unquoted CreateProcess call passes it) be read whole.
size_t ExecutablePathPrefix(const char* command_line,
                            const char* executable_path);

// The argument text: the part of `command_line` after the launcher's own
// path and the blanks that follow it. A line starting with a double quote
// ends its path at the next double quote (a double-byte character is stepped
// over whole); otherwise the path is the executable path prefix when there is
// one, else everything up to the first byte at or below the space.
const char* ArgumentTextOf(const char* command_line,
                           const char* executable_path);

// The launcher's own path inside `command_line`: between a leading double
// quote or apostrophe and the next same character (or the end of the line),
// else the executable path prefix when there is one, else up to the first
// space (a tab does not end it) or the end of the line.
ByteSpan LauncherPathOf(const char* command_line, const char* executable_path);

// Splits a launcher path at its last backslash into the program directory
// (everything before it; "." when there is no backslash) and the program base
// name (the file name up to its first dot). Replaces both outputs; false when
// memory ran out.
bool SplitLauncherPath(ByteSpan path, Text* program_directory,
                       Text* base_name);

#endif  // LAUNCHER_LAUNCH_COMMAND_LINE_H_
