// The launch: the process entry, the hand-over to another program and the
// optional launch properties file.

#ifndef LAUNCHER_LAUNCH_LAUNCH_H_
#define LAUNCHER_LAUNCH_LAUNCH_H_

#include <stddef.h>

// Settings read from the optional properties file beside the launcher. Each
// field is a heap string, or null when its key did not appear in the file; a
// key with an empty value makes its field present and empty.
struct LaunchProperties {
  char* jreVersion;
  char* personalClasspath;
  char* mainArgs;
  char* mainClass;
};

// Reads "<programDirectory>\<baseName>.properties", else
// "<programDirectory>\resource\<baseName>.properties". Returns a heap record
// (release it with FreeLaunchProperties), or null when neither file opens.
LaunchProperties* ReadLaunchProperties(const char* program_directory,
                                       const char* base_name);

// Releases a record from ReadLaunchProperties; null is allowed.
void FreeLaunchProperties(LaunchProperties* properties);

// Removes leading and trailing white space (space, tab, line feed, vertical
// tab, form feed, carriage return; never a byte above 0x7F) from the
// zero-terminated `text` in place, and returns where the kept text starts.
char* TrimBlanks(char* text);

// The process entry: derives the argument text from the command line and
// runs LauncherMain with it. Returns the process exit status.
int LauncherEntry();

// Runs one launch: finds the Java runtime and hands over to its javaw.exe with
// `argument_text` (the command line after the launcher's own path) passed on
// to the Java program. Returns the exit status: -1 when javaw cannot be
// started, or the missing-runtime offer's status. A successful hand-over ends
// the process inside HandOver.
int LauncherMain(const char* argument_text);

// Starts `program_file` with the command line formed by joining the `count`
// strings of `arguments` with single spaces (nothing quoted; the first one is
// the name the new program sees as its own), then ends the launcher with
// status 0. Returns -1 when the file does not exist or cannot be started.
int HandOver(const char* program_file, const char* const* arguments,
             size_t count);

#endif  // LAUNCHER_LAUNCH_LAUNCH_H_
