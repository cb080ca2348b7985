// The platform door on Windows: thin wrappers over the ANSI Win32 calls, and
// the process entry. This is the only file that includes <windows.h>.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "launch/launch.h"
#include "platform/platform.h"

namespace {

// Windows' own limit for paths, environment values and command lines.
const DWORD kLongestText = 32768;

HKEY RootKey(RegistryRoot root) {
  return root == kUserRoot ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The access flag that picks a registry view; the own view needs none.
REGSAM ViewFlag(RegistryView view) {
  if (view == kOwnView) return 0;
  return sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

}  // namespace

// The explainer builds this file with LAUNCHER_DRY_RUN: it keeps what reads
// the system (and the change of directory, which only concerns its own
// process) and brings its own versions of the process's identity and actions.
#ifndef LAUNCHER_DRY_RUN

// The C runtime's idea of the argument text differs between runtimes; the
// launcher reads the command line itself, so the entry's parameters go unused.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return LauncherEntry();
}

const char* PlatformCommandLine() { return GetCommandLineA(); }

bool PlatformExecutablePath(Text* path) {
  char* buffer = (char*)malloc(kLongestText);
  if (!buffer) return false;
  // A result that fills the buffer means the path was cut short.
  DWORD length = GetModuleFileNameA(nullptr, buffer, kLongestText);
  bool ok = length > 0 && length < kLongestText &&
            TextAppend(path, buffer, length);
  free(buffer);
  return ok;
}

bool PlatformStartProcess(const char* program_file, const char* command_line) {
  // CreateProcess may write into the command line it is given.
  char* writable = CopyString(command_line);
  if (!writable) return false;
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  BOOL started = CreateProcessA(program_file, writable, nullptr, nullptr, TRUE,
                                0, nullptr, nullptr, &startup, &process);
  free(writable);
  if (!started) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

QuestionAnswer PlatformAskYesNo(const char* caption, const char* text) {
  // USER32 is loaded only when there is something to ask: most launches never
  // show anything, and loading it makes every process start slower.
  HMODULE user32 = LoadLibraryA("user32.dll");
  if (!user32) return kNotAsked;
  typedef int(WINAPI * MessageBoxFunction)(HWND, LPCSTR, LPCSTR, UINT);
  MessageBoxFunction message_box =
      (MessageBoxFunction)(void*)GetProcAddress(user32, "MessageBoxA");
  if (!message_box) return kNotAsked;
  // 0 is a failure; anything but the two buttons is not an answer either.
  switch (message_box(nullptr, text, caption, MB_YESNO | MB_ICONERROR)) {
    case IDYES: return kAnsweredYes;
    case IDNO: return kAnsweredNo;
    default: return kNotAsked;
  }
}

void PlatformExitProcess(int status) { ExitProcess((UINT)status); }

#endif  // LAUNCHER_DRY_RUN

bool PlatformIsLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != FALSE;
}

bool PlatformPathExists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// PlatformFile is never defined: the pointer carries the file's HANDLE.
PlatformFile* PlatformOpenFile(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return (PlatformFile*)file;
}

bool PlatformReadFile(PlatformFile* file, char* buffer, size_t capacity,
                      size_t* count) {
  DWORD wanted = capacity > 0x10000 ? 0x10000 : (DWORD)capacity;
  DWORD read = 0;
  if (!ReadFile((HANDLE)file, buffer, wanted, &read, nullptr)) return false;
  *count = read;
  return true;
}

void PlatformCloseFile(PlatformFile* file) { CloseHandle((HANDLE)file); }

bool PlatformReadEnvironment(const char* name, Text* value) {
  char* buffer = (char*)malloc(kLongestText);
  if (!buffer) return false;
  // 0 means either "no such variable" or "empty value"; the last error tells.
  SetLastError(ERROR_SUCCESS);
  DWORD length = GetEnvironmentVariableA(name, buffer, kLongestText);
  bool found;
  if (length == 0) {
    found = GetLastError() != ERROR_ENVVAR_NOT_FOUND;
  } else {
    found = length < kLongestText && TextAppend(value, buffer, length);
  }
  free(buffer);
  return found;
}

bool PlatformReadRegistryValue(RegistryRoot root, RegistryView view,
                               const char* key_path, const char* value_name,
                               char* buffer, size_t capacity, size_t* length) {
  HKEY key;
  if (RegOpenKeyExA(RootKey(root), key_path, 0,
                    KEY_QUERY_VALUE | ViewFlag(view), &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD size = (DWORD)capacity;
  // ERROR_MORE_DATA (the value does not fit) counts as missing.
  LONG result = RegQueryValueExA(key, value_name, nullptr, nullptr,
                                 (BYTE*)buffer, &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  *length = size;
  return true;
}

bool PlatformListRegistrySubkeys(RegistryRoot root, RegistryView view,
                                 const char* key_path, Text* names) {
  HKEY key;
  if (RegOpenKeyExA(RootKey(root), key_path, 0,
                    KEY_ENUMERATE_SUB_KEYS | ViewFlag(view), &key) != ERROR_SUCCESS) {
    return false;
  }
  char name[256];  // key names are at most 255 characters
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr,
                                nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;
    TextAppend(names, name, length);
    TextAppendByte(names, '\0');
  }
  RegCloseKey(key);
  return !names->failed;
}

bool PlatformListFolder(const char* folder, Text* names) {
  Text pattern = {};
  TextAppendString(&pattern, folder);
  TextAppendString(&pattern, "\\*");
  WIN32_FIND_DATAA found;
  HANDLE search = pattern.failed
                      ? INVALID_HANDLE_VALUE
                      : FindFirstFileA(TextString(&pattern), &found);
  TextFree(&pattern);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    TextAppendString(names, found.cFileName);
    TextAppendByte(names, '\0');
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return !names->failed;
}

bool PlatformCurrentDirectory(Text* path) {
  char* buffer = (char*)malloc(kLongestText);
  if (!buffer) return false;
  DWORD length = GetCurrentDirectoryA(kLongestText, buffer);
  bool ok = length > 0 && length < kLongestText &&
            TextAppend(path, buffer, length);
  free(buffer);
  return ok;
}

bool PlatformFullPath(const char* path, Text* full_path) {
  DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);
  if (needed == 0) return false;
  char* buffer = (char*)malloc(needed);
  if (!buffer) return false;
  DWORD length = GetFullPathNameA(path, needed, buffer, nullptr);
  bool ok = length > 0 && length < needed && TextAppend(full_path, buffer, length);
  free(buffer);
  return ok;
}

bool PlatformChangeDirectory(const char* path) {
  return SetCurrentDirectoryA(path) != FALSE;
}

