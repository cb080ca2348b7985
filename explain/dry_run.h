// The explainer's stand-ins for the process's identity and actions: the
// launch code believes it is the launcher started with a given command line,
// and what it would start, ask or end with is only written down.

#ifndef LAUNCHER_EXPLAIN_DRY_RUN_H_
#define LAUNCHER_EXPLAIN_DRY_RUN_H_

#include "base/text.h"

// What the simulated launch did.
struct DryRun {
  Text command_line;       // the launcher's simulated command line
  Text executable_path;    // the launcher's own path
  bool started;            // a program would have been started:
  Text program_file;       //   this one,
  Text started_line;       //   with this command line,
  Text started_directory;  //   in this current directory
  bool asked;              // the question would have been asked
  bool exited;             // the launcher would have ended itself
  int exit_status;         //   with this status
};

// The record the stand-ins read and write.
DryRun* TheDryRun();

#endif  // LAUNCHER_EXPLAIN_DRY_RUN_H_
