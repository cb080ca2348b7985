// Runs one launch decision over the test fake, for counting the work it does
// (instructions under callgrind, platform calls here):
//
//   launch_bench private    a private jre beside the launcher
//   launch_bench registry   a runtime registered in the registry
//   launch_bench today      a Java 17 registered only where today's installers do

#include <stdio.h>
#include <string.h>

#include <string>

#include "launch/launch.h"
#include "tests/fake_platform.h"

namespace {

size_t Count(const char* prefix) { return fake::CallsStartingWith(prefix).size(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: launch_bench private|registry|today\n");
    return 2;
  }
  const std::string scenario = argv[1];
  fake::Reset();
  fake::SetCommandLine("\"C:\\Program Files\\Editor\\Editor.exe\" -open notes.txt");
  fake::SetExecutablePath("C:\\Program Files\\Editor\\Editor.exe");
  fake::SetEnvironment("ProgramFiles", "C:\\Program Files");
  if (scenario == "private") {
    fake::AddFile("C:\\Program Files\\Editor\\jre\\bin\\javaw.exe");
  } else if (scenario == "registry") {
    fake::AddDirectory("C:\\Program Files\\Editor");
    const std::string key = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
    fake::SetRegistryString(kMachineRoot, key, "CurrentVersion", "1.8");
    fake::SetRegistryString(kMachineRoot, key + "\\1.8", "JavaHome",
                            "%ProgramFiles%\\Java\\jre1.8");
    fake::AddFile("C:\\Program Files\\Java\\jre1.8\\bin\\javaw.exe");
  } else if (scenario == "today") {
    fake::AddDirectory("C:\\Program Files\\Editor");
    fake::SetRegistryString(kMachineRoot, "SOFTWARE\\JavaSoft\\JDK", "CurrentVersion", "17");
    fake::SetRegistryString(kMachineRoot, "SOFTWARE\\JavaSoft\\JDK\\17", "JavaHome",
                            "%ProgramFiles%\\Java\\jdk-17");
    fake::AddFile("C:\\Program Files\\Java\\jdk-17\\bin\\javaw.exe");
  } else {
    fprintf(stderr, "unknown scenario %s\n", argv[1]);
    return 2;
  }
  int status = LauncherEntry();
  printf("%s: status %d, %zu platform calls (%zu registry, %zu file, %zu environment)\n",
         scenario.c_str(), status, fake::Calls().size(),
         Count("registry") + Count("subkeys"), Count("open") + Count("exists"),
         Count("environment"));
  return fake::Starts().size() == 1 ? 0 : 1;
}
