// The process functions of the platform door, for the explainer: they answer
// as the simulated launcher would and start, show and end nothing.

#include "explain/dry_run.h"
#include "platform/platform.h"

DryRun* TheDryRun() {
  static DryRun dry_run;
  return &dry_run;
}

const char* PlatformCommandLine() { return TextString(&TheDryRun()->command_line); }

bool PlatformExecutablePath(Text* path) {
  return TextAppendString(path, TextString(&TheDryRun()->executable_path));
}

bool PlatformStartProcess(const char* program_file, const char* command_line) {
  DryRun* run = TheDryRun();
  run->started = true;
  TextAppendString(&run->program_file, program_file);
  TextAppendString(&run->started_line, command_line);
  // The launcher has really changed into its folder by now: the explainer
  // does so too, since it only concerns its own process.
  PlatformCurrentDirectory(&run->started_directory);
  return true;
}

QuestionAnswer PlatformAskYesNo(const char*, const char*) {
  // Answer Yes, to show what Yes would start; No always ends with 0.
  TheDryRun()->asked = true;
  return kAnsweredYes;
}

void PlatformExitProcess(int status) {
  TheDryRun()->exited = true;
  TheDryRun()->exit_status = status;
}
