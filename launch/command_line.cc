#include "launch/command_line.h"

#include <string.h>

#include "platform/platform.h"

size_t ExecutablePathPrefix(const char* command_line,
                            const char* executable_path) {
  if (command_line[0] == '"' || command_line[0] == '\'') return 0;
  size_t length = strlen(executable_path);
  if (length == 0) return 0;
  if (!PrefixEqualsIgnoringAsciiCase(command_line, executable_path, length)) {
    return 0;
  }
  char next = command_line[length];
  return (next == ' ' || next == '\t' || next == '\0') ? length : 0;
}

const char* ArgumentTextOf(const char* command_line,
                           const char* executable_path) {
  const char* p = command_line;
  size_t prefix = ExecutablePathPrefix(command_line, executable_path);
  if (prefix) {
    p += prefix;
  } else if (*p == '"') {
    ++p;
    while (*p && *p != '"') {
      // A trail byte may look like a quote; never step past the terminator.
      if (PlatformIsLeadByte((unsigned char)*p) && p[1]) ++p;
      ++p;
    }
    if (*p == '"') ++p;
  } else {
    while ((unsigned char)*p > ' ') ++p;
  }
  while (*p && (unsigned char)*p <= ' ') ++p;
  return p;
}

ByteSpan LauncherPathOf(const char* command_line,
                        const char* executable_path) {
  size_t prefix = ExecutablePathPrefix(command_line, executable_path);
  if (prefix) return ByteSpan{command_line, prefix};
  char first = command_line[0];
  const char* start = command_line;
  char end_mark = ' ';
  if (first == '"' || first == '\'') {
    ++start;
    end_mark = first;
  }
  const char* end = strchr(start, end_mark);
  if (!end) end = start + strlen(start);
  return ByteSpan{start, (size_t)(end - start)};
}

bool SplitLauncherPath(ByteSpan path, Text* program_directory,
                       Text* base_name) {
  // Find the last backslash that is a character of its own: in double-byte
  // code pages the second byte of a character can be 0x5C.
  const char* last_backslash = nullptr;
  for (size_t i = 0; i < path.length; ++i) {
    unsigned char byte = (unsigned char)path.start[i];
    if (byte == '\\') {
      last_backslash = path.start + i;
    } else if (PlatformIsLeadByte(byte) && i + 1 < path.length) {
      ++i;
    }
  }
  const char* file_name = path.start;
  TextClear(program_directory);
  if (last_backslash) {
    TextAppend(program_directory, path.start,
               (size_t)(last_backslash - path.start));
    file_name = last_backslash + 1;
  } else {
    TextAppendString(program_directory, ".");
  }
  size_t file_length = path.length - (size_t)(file_name - path.start);
  const void* dot = memchr(file_name, '.', file_length);
  size_t base_length =
      dot ? (size_t)((const char*)dot - file_name) : file_length;
  TextClear(base_name);
  TextAppend(base_name, file_name, base_length);
  return !program_directory->failed && !base_name->failed;
}
