// The launcher's one door to the operating system.
//
// Everything the launcher decides lives in plain code above this header; the
// functions here only ask the system, or act on it, and report what happened.
// platform_win32.cpp implements them with the ANSI Windows calls; the unit
// tests link an in-memory fake instead. Texts are bytes in the ANSI code page.

#ifndef LAUNCHER_PLATFORM_PLATFORM_H_
#define LAUNCHER_PLATFORM_PLATFORM_H_

#include <stddef.h>

#include "base/text.h"

// The process's identity and its actions. The explainer links other versions
// of these (it simulates a launcher and must never start anything).

// The process's whole command line as the system keeps it (the launcher's own
// path included), or null when the system yields none.
const char* PlatformCommandLine();

// Appends the full path of the running executable file to `path`. Returns
// false when the system cannot tell it.
bool PlatformExecutablePath(Text* path);

// True when `byte` is the first byte of a two-byte character in the ANSI code
// page (only ever true on double-byte code pages such as Japanese or Chinese).
bool PlatformIsLeadByte(unsigned char byte);

// True when something (a file or a folder) exists at `path`, taken exactly as
// given: no search along PATH, no extensions tried.
bool PlatformPathExists(const char* path);

// A file open for reading; only the platform knows what is inside.
struct PlatformFile;

// Opens the file at `path` for reading its bytes as they are; null when it
// does not open (missing, no access, or a folder).
PlatformFile* PlatformOpenFile(const char* path);

// Reads up to `capacity` bytes into `buffer` and sets `*count` to the number
// read, 0 at the end of the file. Returns false on a read error.
bool PlatformReadFile(PlatformFile* file, char* buffer, size_t capacity,
                      size_t* count);

// Closes a file from PlatformOpenFile.
void PlatformCloseFile(PlatformFile* file);

// Appends the value of the environment variable `name` to `value` and returns
// true, or returns false when there is no such variable. Names are compared
// without regard to letter case.
bool PlatformReadEnvironment(const char* name, Text* value);

// The registry trees the launcher reads.
enum RegistryRoot {
  kMachineRoot,  // the machine-wide settings (local machine)
  kUserRoot,     // the settings of the user running the launcher
};

// On 64-bit Windows the machine-wide software settings exist twice: one view
// for 32-bit programs and one for 64-bit programs.
enum RegistryView {
  kOwnView,    // the view of the launcher's own build (32- or 64-bit)
  kOtherView,  // the other one
};

// Reads the value `value_name` of the key `key_path` under `root`, in `view`,
// opened for reading only, into `buffer` (at most `capacity` bytes; the buffer
// is not terminated here), and sets `*length` to the number of bytes of data.
// Returns false when the key or the value is missing or the data does not fit.
bool PlatformReadRegistryValue(RegistryRoot root, RegistryView view,
                               const char* key_path, const char* value_name,
                               char* buffer, size_t capacity, size_t* length);

// Appends the names of the subkeys of `key_path` under `root`, in `view`, to
// `names`, each followed by a zero byte. Returns false when the key does not
// open.
bool PlatformListRegistrySubkeys(RegistryRoot root, RegistryView view,
                                 const char* key_path, Text* names);

// How a question to the user ended.
enum QuestionAnswer {
  kAnsweredYes,
  kAnsweredNo,
  kNotAsked,  // the box could not be shown (no desktop, out of memory)
};

// Asks `text` in a modal box titled `caption`, with Yes and No buttons and the
// error icon, owned by no window, and waits for the answer.
QuestionAnswer PlatformAskYesNo(const char* caption, const char* text);

// Appends the names of the files (not folders) in `folder` to `names`, each
// followed by a zero byte. Returns false when `folder` is not a folder that
// can be listed.
bool PlatformListFolder(const char* folder, Text* names);

// Appends the current directory to `path`; false when it cannot be read.
bool PlatformCurrentDirectory(Text* path);

// Appends the absolute form of `path`, resolved against the current
// directory, to `full_path`; false when that fails.
bool PlatformFullPath(const char* path, Text* full_path);

// Makes `path` the current directory; false when that fails.
bool PlatformChangeDirectory(const char* path);

// Starts the program file `program_file` as a new process with the command
// line `command_line`, inheriting handles, environment and current directory,
// and does not wait for it. Returns false when it cannot be started.
bool PlatformStartProcess(const char* program_file, const char* command_line);

// Ends the launcher process with `status`. The real platform never returns;
// the test fake records the status and returns.
void PlatformExitProcess(int status);

#endif  // LAUNCHER_PLATFORM_PLATFORM_H_
