#include <string.h>

#include "runtime/runtime.h"

namespace {

// Appends the value of the variable named by the `length` bytes at `name`.
// An empty name, or one holding "=", matches nothing: Windows keeps hidden
// per-drive entries such as "=C:" in the environment block, and they are not
// variables a path should be able to name.
void AppendVariable(const char* name, size_t length, Text* output) {
  if (length == 0 || memchr(name, '=', length)) return;
  Text variable = {};
  if (TextAppend(&variable, name, length)) {
    PlatformReadEnvironment(TextString(&variable), output);
  }
  TextFree(&variable);
}

}  // namespace

void ExpandPercentRefs(const char* source, Text* output) {
  TextClear(output);
  const char* rest = source;
  for (;;) {
    const char* open = strchr(rest, '%');
    if (!open) {
      TextAppendString(output, rest);
      return;
    }
    TextAppend(output, rest, (size_t)(open - rest));
    const char* close = strchr(open + 1, '%');
    if (!close) {
      // An unmatched sign is ordinary text, and so is all that follows it.
      TextAppendString(output, open);
      return;
    }
    AppendVariable(open + 1, (size_t)(close - open - 1), output);
    rest = close + 1;
  }
}
