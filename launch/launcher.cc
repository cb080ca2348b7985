#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include "base/text.h"
#include "base/trace.h"
#include "launch/command_line.h"
#include "launch/launch.h"
#include "offer/offer.h"
#include "platform/platform.h"
#include "runtime/runtime.h"

namespace {

const char kLibraryPathArgument[] = "-Djava.library.path=.;.\\resource\\";

// Everything one launch builds, released in one place.
struct LaunchState {
  Text executable_path;
  Text program_directory;
  Text base_name;
  Text class_path;
  Text main_class;
  Text java_home;
  Text javaw_path;
  Text program_arguments;
  LaunchProperties* properties;
  char* found_home;
};

void FreeLaunchState(LaunchState* state) {
  TextFree(&state->executable_path);
  TextFree(&state->program_directory);
  TextFree(&state->base_name);
  TextFree(&state->class_path);
  TextFree(&state->main_class);
  TextFree(&state->java_home);
  TextFree(&state->javaw_path);
  TextFree(&state->program_arguments);
  FreeLaunchProperties(state->properties);
  free(state->found_home);
}

// Appends `part`; when it holds a space or a tab, wraps it in double quotes so
// that javaw reads it as one argument. Backslashes right before the closing
// quote are doubled, or Windows would read the quote as a literal one.
void AppendAsOneArgument(const char* part, Text* out) {
  if (!strpbrk(part, " \t")) {
    TextAppendString(out, part);
    return;
  }
  size_t length = strlen(part);
  size_t trailing = 0;
  while (trailing < length && part[length - 1 - trailing] == '\\') ++trailing;
  TextAppendByte(out, '"');
  TextAppend(out, part, length);
  for (size_t i = 0; i < trailing; ++i) TextAppendByte(out, '\\');
  TextAppendByte(out, '"');
}

// ".;.\resource\B.data;.\B.data;.\resource\B.jar;.\B.jar" for base name B.
void AppendDefaultClassPath(const char* base_name, Text* class_path) {
  Text plain = {};
  TextAppendString(&plain, ".;.\\resource\\");
  TextAppendString(&plain, base_name);
  TextAppendString(&plain, ".data;.\\");
  TextAppendString(&plain, base_name);
  TextAppendString(&plain, ".data;.\\resource\\");
  TextAppendString(&plain, base_name);
  TextAppendString(&plain, ".jar;.\\");
  TextAppendString(&plain, base_name);
  TextAppendString(&plain, ".jar");
  if (plain.failed) {
    class_path->failed = true;
  } else {
    AppendAsOneArgument(TextString(&plain), class_path);
  }
  TextFree(&plain);
}

// True for a directory that names its place from the current directory of
// the process (sub, ..\app, C:sub), as opposed to C:, C:\app or \\server\share.
bool IsRelativeDirectory(const char* directory) {
  if (directory[0] == '\\' || directory[0] == '/') return false;
  if (isalpha((unsigned char)directory[0]) && directory[1] == ':') {
    char after = directory[2];
    return !(after == '\0' || after == '\\' || after == '/');
  }
  return true;
}

// Changes into the program directory. A bare drive ("C:", from a launcher in
// a drive's root) would select that drive's current directory on Windows, not
// its root where the launcher and its archives are.
void ChangeToProgramDirectory(const char* directory) {
  if (isalpha((unsigned char)directory[0]) && directory[1] == ':' &&
      directory[2] == '\0') {
    char root[4] = {directory[0], ':', '\\', '\0'};
    PlatformChangeDirectory(root);
    return;
  }
  PlatformChangeDirectory(directory);  // a failure leaves us where we are
}

// The names and defaults that come from the launcher's own path, merged with
// the properties file.
void DeriveFromCommandLine(const char* command_line, LaunchState* state) {
  PlatformExecutablePath(&state->executable_path);
  const char* executable_path = state->executable_path.failed
                                    ? ""
                                    : TextString(&state->executable_path);
  ByteSpan path = LauncherPathOf(command_line, executable_path);
  SplitLauncherPath(path, &state->program_directory, &state->base_name);
  const char* base_name = TextString(&state->base_name);
  AppendDefaultClassPath(base_name, &state->class_path);
  AppendAsOneArgument(base_name, &state->main_class);
  if (Tracing()) {
    const char* how = ExecutablePathPrefix(command_line, executable_path)
                          ? "the running executable's path, unquoted"
                      : command_line[0] == '"'  ? "between double quotes"
                      : command_line[0] == '\'' ? "between apostrophes"
                                                : "up to the first space";
    Text shown = {};
    TextAppend(&shown, path.start, path.length);
    Trace("launcher path: ", TextString(&shown), " (", how, ")");
    TextFree(&shown);
    Trace("program directory: ", TextString(&state->program_directory));
    Trace("base name: ", base_name);
  }

  state->properties = ReadLaunchProperties(
      TextString(&state->program_directory), base_name);
  const LaunchProperties* properties = state->properties;
  if (!properties) return;
  // Presence is what counts: an empty value still adds the separator, or
  // empties the main class. Values are passed on exactly as written.
  if (properties->personalClasspath) {
    TextAppendByte(&state->class_path, ';');
    TextAppendString(&state->class_path, properties->personalClasspath);
  }
  if (properties->mainClass) {
    TextClear(&state->main_class);
    TextAppendString(&state->main_class, properties->mainClass);
  }
}

const char* Shown(const char* text) { return text ? text : "(none)"; }

// The Java home: a private runtime beside the launcher, then the registered
// products in order, and only when all of those are absent the sources that
// today's Java installations use. Sets *is_private when the first source
// answered.
char* FindJavaHome(const LaunchState* state, bool* is_private) {
  Trace("looking for a private runtime");
  char* home = FindPrivateRuntime(TextString(&state->program_directory));
  *is_private = home != nullptr;
  for (size_t i = 0; !home && i < 2; ++i) {
    Trace("looking for a registered ", kClassicProducts[i]);
    home = FindRegisteredRuntime(kClassicProducts[i], state->properties);
  }
  if (!home) {
    Trace("nothing in the classic places; looking where today's Java installs register");
    home = FindExtendedRuntime(state->properties);
  }
  Trace("Java home: ", Shown(home));
  return home;
}

bool AnyFailed(const LaunchState* state) {
  return state->program_directory.failed || state->base_name.failed ||
         state->class_path.failed || state->main_class.failed ||
         state->java_home.failed || state->javaw_path.failed ||
         state->program_arguments.failed;
}

int RunLaunch(const char* argument_text, LaunchState* state) {
  const char* command_line = PlatformCommandLine();
  if (command_line) {
    DeriveFromCommandLine(command_line, state);
  } else {
    TextAppendString(&state->program_directory, ".");
  }
  Trace("class path: ", TextString(&state->class_path));
  Trace("main class: ", TextString(&state->main_class));

  bool is_private = false;
  state->found_home = FindJavaHome(state, &is_private);
  if (!state->found_home) return OfferRuntimeDownload();

  ExpandPercentRefs(state->found_home, &state->java_home);
  const char* directory = TextString(&state->program_directory);
  Text joined = {};
  TextAppendString(&joined, TextString(&state->java_home));
  TextAppendByte(&joined, '\\');
  TextAppendString(&joined, kJavawFile);
  // A private runtime found through a relative program directory (the
  // launcher started as sub\Tool.exe) is relative to where we are now; after
  // the change into that directory it would point elsewhere.
  if (is_private && IsRelativeDirectory(directory) &&
      strcmp(directory, ".") != 0) {
    if (joined.failed ||
        !PlatformFullPath(TextString(&joined), &state->javaw_path)) {
      state->javaw_path.failed = true;
    }
  } else {
    TextAppendString(&state->javaw_path, TextString(&joined));
    state->javaw_path.failed |= joined.failed;
  }
  TextFree(&joined);

  TextAppendString(&state->program_arguments,
                   argument_text ? argument_text : "");
  if (state->properties && state->properties->mainArgs) {
    TextAppendByte(&state->program_arguments, ' ');
    TextAppendString(&state->program_arguments, state->properties->mainArgs);
  }
  Trace("Java home expanded: ", TextString(&state->java_home));
  Trace("javaw: ", TextString(&state->javaw_path));
  Trace("program arguments: ", TextString(&state->program_arguments));
  if (AnyFailed(state)) {
    Trace("out of memory: the launcher ends with -1");
    return -1;
  }

  ChangeToProgramDirectory(directory);
  const char* const arguments[] = {
      "javaw",
      kLibraryPathArgument,
      "-classpath",
      TextString(&state->class_path),
      TextString(&state->main_class),
      TextString(&state->program_arguments),
  };
  return HandOver(TextString(&state->javaw_path), arguments, 6);
}

}  // namespace

int LauncherEntry() {
  const char* command_line = PlatformCommandLine();
  Trace("command line: ", Shown(command_line));
  if (!command_line) return LauncherMain("");
  Text executable_path = {};
  PlatformExecutablePath(&executable_path);
  Trace("running executable: ", executable_path.length
                                     ? TextString(&executable_path)
                                     : "(unknown)");
  const char* argument_text = ArgumentTextOf(
      command_line,
      executable_path.failed ? "" : TextString(&executable_path));
  TextFree(&executable_path);
  Trace("argument text: ", argument_text);
  return LauncherMain(argument_text);
}

int LauncherMain(const char* argument_text) {
  LaunchState state = {};
  int status = RunLaunch(argument_text, &state);
  FreeLaunchState(&state);
  return status;
}

int HandOver(const char* program_file, const char* const* arguments,
             size_t count) {
  if (!PlatformPathExists(program_file)) {
    Trace(program_file, " does not exist: the launcher ends with -1");
    return -1;
  }
  Text command_line = {};
  for (size_t i = 0; i < count; ++i) {
    if (i) TextAppendByte(&command_line, ' ');
    TextAppendString(&command_line, arguments[i]);
  }
  bool started = !command_line.failed &&
                 PlatformStartProcess(program_file, TextString(&command_line));
  TextFree(&command_line);
  if (!started) {
    Trace(program_file, " could not be started: the launcher ends with -1");
    return -1;
  }
  Trace("the launcher ends with 0");
  PlatformExitProcess(0);
  return 0;
}
