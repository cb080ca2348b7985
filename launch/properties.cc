#include "launch/properties.h"

#include <stdlib.h>
#include <string.h>

#include "base/text.h"
#include "base/trace.h"
#include "platform/platform.h"

namespace {

const char kCtrlZ = 0x1A;

// The eight key spellings and the field each sets: 0 jreVersion,
// 1 personalClasspath, 2 mainArgs, 3 mainClass.
const struct {
  const char* key;
  int field;
} kKeys[] = {
    {"JRE version", 0}, {"JREversion", 0}, {"Personal Classpath", 1},
    {"PersonalClasspath", 1}, {"Main Args", 2}, {"MainArgs", 2},
    {"Main Class", 3}, {"MainClass", 3},
};

char** Field(LaunchProperties* properties, int field) {
  switch (field) {
    case 0: return &properties->jreVersion;
    case 1: return &properties->personalClasspath;
    case 2: return &properties->mainArgs;
    default: return &properties->mainClass;
  }
}

bool AllPresent(const LaunchProperties* properties) {
  return properties->jreVersion && properties->personalClasspath &&
         properties->mainArgs && properties->mainClass;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Applies one line read. The line is a C string: a zero byte in the file ends
// the text of its line there, and reading goes on with the next line.
// Returns true when the line held a "=".
bool ApplyLine(char* line, LaunchProperties* properties) {
  char* end = strrchr(line, '\r');
  if (!end) end = strrchr(line, '\n');
  if (end) *end = '\0';
  // The last "=" splits, so a value can never hold one.
  char* equals = strrchr(line, '=');
  if (!equals) return false;
  *equals = '\0';
  const char* key = TrimBlanks(line);
  const char* value = TrimBlanks(equals + 1);
  for (const auto& entry : kKeys) {
    if (!EqualsIgnoringAsciiCase(key, entry.key)) continue;
    char* copy = CopyString(value);
    if (copy) {
      char** field = Field(properties, entry.field);
      free(*field);
      *field = copy;
    }
    break;
  }
  return true;
}

void EndLine(PropertiesReader* reader) {
  reader->line[reader->line_length] = '\0';
  reader->line_length = 0;
  if (ApplyLine(reader->line, reader->properties) &&
      AllPresent(reader->properties)) {
    reader->ended = true;
  }
}

// One byte after the carriage return + line feed translation.
void TakeByte(PropertiesReader* reader, char c) {
  reader->line[reader->line_length++] = c;
  if (c == '\n' || reader->line_length == kLinePieceBytes) EndLine(reader);
}

}  // namespace

char* TrimBlanks(char* text) {
  while (IsBlank(*text)) ++text;
  if (*text == '\0') return text;
  char* last = text + strlen(text) - 1;
  while (last > text && IsBlank(*last)) --last;
  last[1] = '\0';
  return text;
}

void StartProperties(PropertiesReader* reader, LaunchProperties* properties) {
  reader->properties = properties;
  reader->line_length = 0;
  reader->carriage_return_pending = false;
  reader->ended = false;
}

bool FeedProperties(PropertiesReader* reader, const char* bytes, size_t count) {
  for (size_t i = 0; i < count && !reader->ended; ++i) {
    char c = bytes[i];
    if (reader->carriage_return_pending) {
      reader->carriage_return_pending = false;
      if (c == '\n') {
        TakeByte(reader, '\n');
        continue;
      }
      TakeByte(reader, '\r');
      if (reader->ended) break;
    }
    if (c == kCtrlZ) {
      reader->ended = true;
    } else if (c == '\r') {
      reader->carriage_return_pending = true;
    } else {
      TakeByte(reader, c);
    }
  }
  return !reader->ended;
}

void FinishProperties(PropertiesReader* reader, bool file_complete) {
  if (!file_complete) return;
  // Once every setting is present nothing is left over; after a Ctrl-Z the
  // bytes before it still make a last line.
  if (reader->carriage_return_pending) {
    reader->carriage_return_pending = false;
    TakeByte(reader, '\r');
  }
  if (reader->line_length > 0) EndLine(reader);
}

LaunchProperties* ReadLaunchProperties(const char* program_directory,
                                       const char* base_name) {
  LaunchProperties* properties =
      (LaunchProperties*)calloc(1, sizeof(LaunchProperties));
  if (!properties) return nullptr;

  // Only the first file that opens is read.
  PlatformFile* file = nullptr;
  static const char* const kFolders[] = {"\\", "\\resource\\"};
  for (const char* folder : kFolders) {
    Text path = {};
    TextAppendString(&path, program_directory);
    TextAppendString(&path, folder);
    TextAppendString(&path, base_name);
    TextAppendString(&path, ".properties");
    if (!path.failed) file = PlatformOpenFile(TextString(&path));
    Trace("properties file ", TextString(&path), file ? ": read" : ": not there");
    TextFree(&path);
    if (file) break;
  }
  if (!file) {
    free(properties);
    return nullptr;
  }

  PropertiesReader reader;
  StartProperties(&reader, properties);
  char chunk[4096];
  bool complete = true;
  for (;;) {
    size_t count = 0;
    if (!PlatformReadFile(file, chunk, sizeof chunk, &count)) {
      complete = false;
      break;
    }
    if (count == 0 || !FeedProperties(&reader, chunk, count)) break;
  }
  FinishProperties(&reader, complete);
  PlatformCloseFile(file);
  if (!complete) Trace("  reading stopped at a read error");
  static const char* const kNames[] = {"JRE version", "Personal Classpath",
                                       "Main Args", "Main Class"};
  for (int field = 0; field < 4; ++field) {
    const char* value = *Field(properties, field);
    if (value) Trace("  ", kNames[field], " = \"", value, "\"");
  }
  return properties;
}

void FreeLaunchProperties(LaunchProperties* properties) {
  if (!properties) return;
  free(properties->jreVersion);
  free(properties->personalClasspath);
  free(properties->mainArgs);
  free(properties->mainClass);
  free(properties);
}
