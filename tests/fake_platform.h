// An in-memory stand-in for the operating system, for the unit tests: files
// and folders, a registry, an environment and a current directory, with names
// compared without regard to letter case as on Windows, and a log of what the
// launcher asked and did.

#ifndef LAUNCHER_TESTS_FAKE_PLATFORM_H_
#define LAUNCHER_TESTS_FAKE_PLATFORM_H_

#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

// A program the launcher started.
struct Start {
  std::string program_file;
  std::string command_line;
  std::string directory;  // the current directory when it was started
};

// Status recorded when the launcher never ended the process itself.
const int kNoExit = 12345;

// Forgets everything: no command line, no files, an empty registry and
// environment, current directory C:\, no lead bytes.
void Reset();

// The command line the process "was started with"; null means the system
// yields none.
void SetCommandLine(const char* command_line);
void SetExecutablePath(const std::string& path);
void SetCurrentDirectory(const std::string& path);

// Adds a file (and its folders). Relative paths are taken from the current
// directory at the time of the call.
void AddFile(const std::string& path, const std::string& contents = "");
void AddDirectory(const std::string& path);

// Makes reads of the file at `path` fail once they reach byte `offset`.
void FailReadsAt(const std::string& path, size_t offset);

// Hands out at most `bytes` bytes per file read (default: as many as asked).
void SetReadChunk(size_t bytes);

// How many files are open and not yet closed.
int OpenFileCount();

// Whether the launcher under test is a 32-bit or a 64-bit build (32 at
// first): it decides which registry view is its own.
void SetBitness(int bits);

// Stores a registry value in the launcher's own view: `text` followed by a
// zero byte, as a string value is stored, or the `bytes` exactly as given.
// The user's root has one view only, as HKEY_CURRENT_USER\Software does.
void SetRegistryString(RegistryRoot root, const std::string& key,
                       const std::string& name, const std::string& text);
void SetRegistryBytes(RegistryRoot root, const std::string& key,
                      const std::string& name, const std::string& bytes);

// SetRegistryString in the 32-bit (`bits` 32) or 64-bit (64) view.
void SetRegistryStringInView(int bits, RegistryRoot root, const std::string& key,
                             const std::string& name, const std::string& text);

void SetEnvironment(const std::string& name, const std::string& value);

// Makes each byte of `bytes` a lead byte of a double-byte character.
void SetLeadBytes(const std::string& bytes);

// Makes every later process start fail.
void FailProcessStarts();

// How the next questions are answered (kNotAsked by default, as on a machine
// without a desktop), and the questions asked so far, as "caption|text".
void SetAnswer(QuestionAnswer answer);
const std::vector<std::string>& Questions();

// What the launcher asked of the platform, one line per call, for example
// "registry HKLM\SOFTWARE\JavaSoft\JDK : CurrentVersion" (read in the own
// view; "registry HKLM[other]\..." in the other one), "subkeys HKCU\SOFTWARE\x",
// "open C:\app\x",
// "chdir C:\app", "environment HOME".
const std::vector<std::string>& Calls();

// The entries of Calls() that start with `prefix`.
std::vector<std::string> CallsStartingWith(const std::string& prefix);

const std::vector<Start>& Starts();
int ExitStatus();
std::string CurrentDirectory();

}  // namespace fake

#endif  // LAUNCHER_TESTS_FAKE_PLATFORM_H_
