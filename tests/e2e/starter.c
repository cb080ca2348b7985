/* Starts a program with an exact command line, for the end-to-end tests.

   `wine prog.exe args` re-quotes what it is given, so the tests write the job
   into a file instead: the application name, the command line and the
   working directory (empty for "inherit"), each ending with a zero byte. The
   starter runs it, waits for that process (not for what it starts) and
   writes "exit <status> started <counter>" or "failed <error>" to
   "<job file>.status": the full 32-bit status, which Wine's own exit status
   would cut to its low byte, and the performance counter read right before
   the process was created (the probe records the counter when it starts). */

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char job[3 * 65536 + 16];

int main(int argc, char** argv) {
  char status_path[4096];
  FILE* file;
  size_t size;
  const char *application, *command_line, *directory;
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  DWORD status = 0;
  BOOL started;
  LARGE_INTEGER before;

  if (argc != 2) return 2;
  file = fopen(argv[1], "rb");
  if (!file) return 3;
  size = fread(job, 1, sizeof job - 4, file);
  fclose(file);
  job[size] = job[size + 1] = job[size + 2] = '\0';
  application = job;
  command_line = application + strlen(application) + 1;
  directory = command_line + strlen(command_line) + 1;

  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  QueryPerformanceCounter(&before);
  started = CreateProcessA(*application ? application : NULL, (char*)command_line,
                           NULL, NULL, FALSE, 0, NULL,
                           *directory ? directory : NULL, &startup, &process);
  snprintf(status_path, sizeof status_path, "%s.status", argv[1]);
  file = fopen(status_path, "wb");
  if (!file) return 4;
  if (!started) {
    fprintf(file, "failed %lu\n", (unsigned long)GetLastError());
  } else {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
    fprintf(file, "exit %lu started %lld\n", (unsigned long)status,
            (long long)before.QuadPart);
  }
  fclose(file);
  return 0;
}
