#include <stdlib.h>
#include <string.h>

#include "base/trace.h"
#include "launch/launch.h"
#include "runtime/runtime.h"

const char kJavawFile[] = "bin\\javaw.exe";
const char* const kClassicProducts[2] = {"Java Runtime Environment",
                                         "Java Development Kit"};

const char* RootName(RegistryRoot root) {
  return root == kUserRoot ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
}

const char* ViewNote(RegistryView view) {
  return view == kOwnView ? "" : " (other view)";
}

namespace {

const char kProductKeyPrefix[] = "SOFTWARE\\JavaSoft\\";

// "<directory>\<file>" into `path`; false when memory ran out.
bool JoinPath(const char* directory, const char* file, Text* path) {
  TextClear(path);
  TextAppendString(path, directory);
  TextAppendByte(path, '\\');
  TextAppendString(path, file);
  return !path->failed;
}

// The first candidate folder under the program directory that holds javaw.
char* FirstCandidateWithJavaw(const char* program_directory,
                              const char* const* suffixes, size_t count) {
  Text candidate = {};
  char* found = nullptr;
  for (size_t i = 0; i < count && !found; ++i) {
    if (!JoinPath(program_directory, suffixes[i], &candidate)) break;
    if (HasJavaw(TextString(&candidate))) {
      found = CopyString(TextString(&candidate));
    }
  }
  TextFree(&candidate);
  return found;
}

}  // namespace

bool HasJavaw(const char* runtime_directory) {
  Text javaw = {};
  PlatformFile* file = nullptr;
  if (JoinPath(runtime_directory, kJavawFile, &javaw)) {
    file = PlatformOpenFile(TextString(&javaw));
  }
  Trace("  ", TextString(&javaw), file ? ": there" : ": not there");
  TextFree(&javaw);
  if (!file) return false;
  PlatformCloseFile(file);
  return true;
}

char* FindPrivateRuntime(const char* program_directory) {
  static const char* const kCandidates[] = {"jre", "resource\\jre"};
  return FirstCandidateWithJavaw(program_directory, kCandidates, 2);
}

char* FindRegisteredRuntime(const char* product_name,
                            const LaunchProperties* properties) {
  return FindJavaSoftRuntime(kOwnView, product_name, properties);
}

char* FindJavaSoftRuntime(RegistryView view, const char* product_name,
                          const LaunchProperties* properties) {
  Text key = {};
  TextAppendString(&key, kProductKeyPrefix);
  TextAppendString(&key, product_name);
  if (key.failed) {
    TextFree(&key);
    return nullptr;
  }

  // A pinned version is taken as written, even when empty, and never falls
  // back to the product's current version.
  char* current_version = nullptr;
  const char* version = properties ? properties->jreVersion : nullptr;
  if (version) Trace("  version pinned by the properties file: \"", version, "\"");
  if (!version) {
    current_version = ReadRegistryStringInView(kMachineRoot, view, TextString(&key),
                                               "CurrentVersion");
    version = current_version;
  }

  char* java_home = nullptr;
  if (version) {
    TextAppendByte(&key, '\\');
    TextAppendString(&key, version);
    if (!key.failed) {
      java_home = ReadRegistryStringInView(kMachineRoot, view, TextString(&key),
                                           "JavaHome");
    }
  }
  free(current_version);
  TextFree(&key);
  return java_home;
}

char* ReadRegistryString(RegistryRoot root, const char* key_path,
                         const char* value_name) {
  return ReadRegistryStringInView(root, kOwnView, key_path, value_name);
}

char* ReadRegistryStringInView(RegistryRoot root, RegistryView view,
                               const char* key_path, const char* value_name) {
  char buffer[kRegistryValueCapacity];
  memset(buffer, 0, sizeof buffer);
  size_t length = 0;
  const char* where = RootName(root);
  const char* which = ViewNote(view);
  if (!PlatformReadRegistryValue(root, view, key_path, value_name, buffer,
                                 sizeof buffer, &length)) {
    Trace("  ", where, key_path, which, " : ", value_name, " absent");
    return nullptr;
  }
  // A value that fills the whole buffer without a zero byte is taken whole:
  // the text ends after its last byte rather than past the buffer.
  if (length > sizeof buffer) length = sizeof buffer;
  const void* zero = memchr(buffer, '\0', length);
  size_t text_length = zero ? (size_t)((const char*)zero - buffer) : length;
  char* text = CopyBytes(buffer, text_length);
  if (text) Trace("  ", where, key_path, which, " : ", value_name, " = \"", text, "\"");
  return text;
}

char* ReadMachineString(const char* key_path, const char* value_name) {
  return ReadRegistryString(kMachineRoot, key_path, value_name);
}
