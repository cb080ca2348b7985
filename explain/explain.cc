// explain.exe: shows what a launcher would do, and why, without starting
// anything. It runs the launcher's own code over the real files, registry and
// environment, with the launch's account switched on.
//
//   explain.exe <launcher.exe | its folder> [arguments for the application...]

#include <stdio.h>
#include <string.h>

#include "base/text.h"
#include "base/trace.h"
#include "explain/dry_run.h"
#include "launch/launch.h"
#include "platform/platform.h"

namespace {

bool EndsWithExe(const char* name) {
  size_t length = strlen(name);
  return length > 4 && EqualsIgnoringAsciiCase(name + length - 4, ".exe");
}

// The launcher a folder holds: its only .exe besides the explainer itself.
// Returns false (after saying why) when there is not exactly one.
bool LauncherInFolder(const char* folder, const Text& names, Text* launcher) {
  const char* found = nullptr;
  int count = 0;
  for (size_t at = 0; at < names.length; at += strlen(names.bytes + at) + 1) {
    const char* name = names.bytes + at;
    if (!EndsWithExe(name) || PrefixEqualsIgnoringAsciiCase(name, "explain", 7)) continue;
    found = name;
    ++count;
  }
  if (count != 1) {
    fprintf(stderr, "%s holds %s launcher: name the .exe to explain\n", folder,
            count ? "more than one" : "no");
    return false;
  }
  TextAppendString(launcher, folder);
  TextAppendString(launcher, "\\");
  TextAppendString(launcher, found);
  return true;
}

void PrintText(const char* label, const Text& text) {
  fputs(label, stdout);
  fwrite(TextString(&text), 1, text.length, stdout);
  fputc('\n', stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr,
            "usage: explain <launcher.exe | its folder> [arguments...]\n"
            "Shows what the launcher would do when started with these arguments,\n"
            "and why. Nothing is started.\n");
    return 2;
  }
  Text launcher = {};
  Text names = {};
  if (PlatformListFolder(argv[1], &names)) {
    if (!LauncherInFolder(argv[1], names, &launcher)) return 2;
  } else {
    TextAppendString(&launcher, argv[1]);
  }
  TextFree(&names);

  // Started as a shortcut or Explorer would: the full path, quoted, then the
  // arguments as a command line carries them.
  DryRun* run = TheDryRun();
  if (!PlatformFullPath(TextString(&launcher), &run->executable_path)) {
    fprintf(stderr, "cannot tell the full path of %s\n", TextString(&launcher));
    return 2;
  }
  PlatformFile* file = PlatformOpenFile(TextString(&run->executable_path));
  if (!file) {
    fprintf(stderr, "no launcher at %s\n", TextString(&run->executable_path));
    return 2;
  }
  PlatformCloseFile(file);
  TextAppendByte(&run->command_line, '"');
  TextAppendString(&run->command_line, TextString(&run->executable_path));
  TextAppendByte(&run->command_line, '"');
  for (int i = 2; i < argc; ++i) {
    bool blank = strpbrk(argv[i], " \t") != nullptr || argv[i][0] == '\0';
    TextAppendString(&run->command_line, blank ? " \"" : " ");
    TextAppendString(&run->command_line, argv[i]);
    if (blank) TextAppendByte(&run->command_line, '"');
  }

  Text account = {};
  SetTrace(&account);
  int status = LauncherEntry();
  SetTrace(nullptr);
  if (run->exited) status = run->exit_status;

  puts("== how the launcher decides");
  fwrite(TextString(&account), 1, account.length, stdout);
  puts("== what the launcher would do");
  if (run->started) {
    PrintText("start:             ", run->program_file);
    PrintText("command line:      ", run->started_line);
    PrintText("working directory: ", run->started_directory);
  } else {
    puts("start:             nothing");
  }
  if (run->asked) puts("(the explainer answered Yes to the question; on No the launcher ends with 0)");
  printf("exit status:       %d\n", status);
  return 0;
}
