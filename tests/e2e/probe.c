/* A stand-in for javaw.exe (or any program the launcher starts) in the
   end-to-end tests: it appends how it was started to the file named by the
   PROBE_LOG environment variable and ends with status 0: its own path, its
   working directory, its command line and when it started.

   Each record is a series of fields, each written as
   "<name> <byte count>\n<bytes>\n", and ends with "end 0\n\n". */

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdio.h>
#include <string.h>

static void WriteField(HANDLE log, const char* name, const char* value) {
  char header[64];
  DWORD written;
  int length = wsprintfA(header, "%s %lu\n", name, (unsigned long)strlen(value));
  WriteFile(log, header, (DWORD)length, &written, NULL);
  WriteFile(log, value, (DWORD)strlen(value), &written, NULL);
  WriteFile(log, "\n", 1, &written, NULL);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR arguments,
                   int show) {
  static char log_path[4096], directory[32768], module[32768];
  char counter[64];
  LARGE_INTEGER now, frequency;
  HANDLE log;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  (void)instance; (void)previous; (void)arguments; (void)show;
  if (!GetEnvironmentVariableA("PROBE_LOG", log_path, sizeof log_path)) return 3;
  GetCurrentDirectoryA(sizeof directory, directory);
  GetModuleFileNameA(NULL, module, sizeof module);
  log = CreateFileA(log_path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (log == INVALID_HANDLE_VALUE) return 4;
  WriteField(log, "module", module);
  WriteField(log, "directory", directory);
  WriteField(log, "command_line", GetCommandLineA());
  /* When it started, on the counter the starter reads too (ticks per second
     after the slash). */
  snprintf(counter, sizeof counter, "%lld/%lld", (long long)now.QuadPart,
           (long long)frequency.QuadPart);
  WriteField(log, "counter", counter);
  WriteField(log, "end", "");
  CloseHandle(log);
  return 0;
}
