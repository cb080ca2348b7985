#include "tests/fake_platform.h"

#include <ctype.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <set>

namespace fake {
namespace {

struct State {
  bool has_command_line = false;
  std::string command_line;
  std::string executable_path;
  std::string current_directory = "C:\\";
  std::map<std::string, std::string> files;  // lower-case full path
  std::map<std::string, std::string> file_names;  // lower-case -> as added
  std::map<std::string, size_t> read_failures;  // lower-case full path
  size_t read_chunk = (size_t)-1;
  int open_files = 0;
  std::set<std::string> directories;         // lower-case full path
  int bits = 32;
  // lower-case "HKLM32\key" (or HKLM64, or HKCU) -> lower-case value name -> bytes
  std::map<std::string, std::map<std::string, std::string>> registry;
  std::map<std::string, std::string> environment;  // lower-case name
  std::set<unsigned char> lead_bytes;
  bool fail_starts = false;
  QuestionAnswer answer = kNotAsked;
  std::vector<std::string> questions;
  std::vector<std::string> calls;
  std::vector<Start> starts;
  int exit_status = kNoExit;
};

State& S() {
  static State state;
  return state;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  }
  return text;
}

bool IsDriveLetter(char c) { return isalpha((unsigned char)c) != 0; }

// Resolves `path` against the current directory the way Windows does, without
// touching letter case: C:\x and \\server\share\x are absolute, \x is on the
// current drive, C:x is relative to C:'s current directory (the process's own
// when it is on C:, else C:'s root), anything else is relative; "." and ".."
// segments and repeated separators are folded.
std::string Resolve(const std::string& raw) {
  std::string path = raw;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  const std::string& cwd = S().current_directory;
  std::string full;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    full = path;
  } else if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
    if (path.size() >= 3 && path[2] == '\\') {
      full = path;
    } else if (tolower((unsigned char)cwd[0]) ==
               tolower((unsigned char)path[0])) {
      full = cwd + "\\" + path.substr(2);
    } else {
      full = path.substr(0, 2) + "\\" + path.substr(2);
    }
  } else if (!path.empty() && path[0] == '\\') {
    full = cwd.substr(0, 2) + path;
  } else {
    full = cwd + "\\" + path;
  }

  std::string root;
  size_t rest_at;
  if (full.size() >= 2 && full[0] == '\\' && full[1] == '\\') {
    // \\server\share is the root of a UNC path.
    size_t server_end = full.find('\\', 2);
    size_t share_end = server_end == std::string::npos
                           ? std::string::npos
                           : full.find('\\', server_end + 1);
    root = full.substr(0, share_end);
    rest_at = share_end == std::string::npos ? full.size() : share_end;
  } else {
    root = full.substr(0, 2);
    rest_at = 2;
  }
  std::vector<std::string> parts;
  size_t at = rest_at;
  while (at <= full.size()) {
    size_t next = full.find('\\', at);
    if (next == std::string::npos) next = full.size();
    std::string part = full.substr(at, next - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = next + 1;
  }
  std::string result = root;
  if (parts.empty()) return result + "\\";
  for (const std::string& part : parts) result += "\\" + part;
  return result;
}

std::string Key(const std::string& path) { return Lower(Resolve(path)); }

std::string Parent(const std::string& full) {
  size_t slash = full.rfind('\\');
  if (slash == std::string::npos || slash <= 2) return full.substr(0, 3);
  return full.substr(0, slash);
}

void AddDirectories(std::string full) {
  for (;;) {
    S().directories.insert(Lower(full));
    std::string parent = Parent(full);
    if (parent == full || parent.size() <= 3) {
      S().directories.insert(Lower(parent));
      return;
    }
    full = parent;
  }
}

std::string RegistryKey(int bits, RegistryRoot root, const std::string& key) {
  if (root == kUserRoot) return Lower("HKCU\\" + key);
  return Lower("HKLM" + std::to_string(bits) + "\\" + key);
}

int ViewBits(RegistryView view) {
  return view == kOwnView ? S().bits : 96 - S().bits;
}

std::string Describe(RegistryRoot root, RegistryView view, const char* key) {
  std::string name = root == kUserRoot ? "HKCU" : "HKLM";
  if (view == kOtherView) name += "[other]";
  return name + "\\" + key;
}

void Log(const std::string& line) { S().calls.push_back(line); }

}  // namespace

void Reset() { S() = State(); }

void SetCommandLine(const char* command_line) {
  S().has_command_line = command_line != nullptr;
  S().command_line = command_line ? command_line : "";
}

void SetExecutablePath(const std::string& path) { S().executable_path = path; }

void SetCurrentDirectory(const std::string& path) {
  S().current_directory = Resolve(path);
  AddDirectories(S().current_directory);
}

void AddFile(const std::string& path, const std::string& contents) {
  std::string full = Resolve(path);
  S().files[Lower(full)] = contents;
  S().file_names[Lower(full)] = full;
  AddDirectories(Parent(full));
}

void AddDirectory(const std::string& path) { AddDirectories(Resolve(path)); }

void FailReadsAt(const std::string& path, size_t offset) {
  S().read_failures[Key(path)] = offset;
}

void SetReadChunk(size_t bytes) { S().read_chunk = bytes; }

int OpenFileCount() { return S().open_files; }

void SetBitness(int bits) { S().bits = bits; }

void SetRegistryString(RegistryRoot root, const std::string& key,
                       const std::string& name, const std::string& text) {
  SetRegistryBytes(root, key, name, text + std::string(1, '\0'));
}

void SetRegistryBytes(RegistryRoot root, const std::string& key,
                      const std::string& name, const std::string& bytes) {
  S().registry[RegistryKey(S().bits, root, key)][Lower(name)] = bytes;
}

void SetRegistryStringInView(int bits, RegistryRoot root, const std::string& key,
                             const std::string& name, const std::string& text) {
  S().registry[RegistryKey(bits, root, key)][Lower(name)] = text + std::string(1, '\0');
}

void SetEnvironment(const std::string& name, const std::string& value) {
  S().environment[Lower(name)] = value;
}

void SetLeadBytes(const std::string& bytes) {
  S().lead_bytes.clear();
  for (char c : bytes) S().lead_bytes.insert((unsigned char)c);
}

void FailProcessStarts() { S().fail_starts = true; }

void SetAnswer(QuestionAnswer answer) { S().answer = answer; }
const std::vector<std::string>& Questions() { return S().questions; }

const std::vector<std::string>& Calls() { return S().calls; }

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& call : S().calls) {
    if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
  }
  return found;
}

const std::vector<Start>& Starts() { return S().starts; }
int ExitStatus() { return S().exit_status; }
std::string CurrentDirectory() { return S().current_directory; }

}  // namespace fake

using fake::S;

const char* PlatformCommandLine() {
  return S().has_command_line ? S().command_line.c_str() : nullptr;
}

bool PlatformExecutablePath(Text* path) {
  if (S().executable_path.empty()) return false;
  return TextAppendString(path, S().executable_path.c_str());
}

bool PlatformIsLeadByte(unsigned char byte) {
  return S().lead_bytes.count(byte) != 0;
}

bool PlatformPathExists(const char* path) {
  fake::Log(std::string("exists ") + path);
  std::string key = fake::Key(path);
  return S().files.count(key) || S().directories.count(key);
}

struct PlatformFile {
  std::string contents;
  size_t position;
  size_t fail_at;
};

PlatformFile* PlatformOpenFile(const char* path) {
  fake::Log(std::string("open ") + path);
  std::string key = fake::Key(path);
  auto found = S().files.find(key);
  if (found == S().files.end()) return nullptr;
  auto failure = S().read_failures.find(key);
  ++S().open_files;
  return new PlatformFile{found->second, 0,
                          failure == S().read_failures.end() ? (size_t)-1
                                                             : failure->second};
}

bool PlatformReadFile(PlatformFile* file, char* buffer, size_t capacity,
                      size_t* count) {
  if (file->position >= file->fail_at) return false;
  size_t left = file->contents.size() - file->position;
  size_t take = std::min(std::min(left, capacity), S().read_chunk);
  take = std::min(take, file->fail_at - file->position);
  memcpy(buffer, file->contents.data() + file->position, take);
  file->position += take;
  *count = take;
  return true;
}

void PlatformCloseFile(PlatformFile* file) {
  --S().open_files;
  delete file;
}

bool PlatformReadEnvironment(const char* name, Text* value) {
  fake::Log(std::string("environment ") + name);
  auto found = S().environment.find(fake::Lower(name));
  if (found == S().environment.end()) return false;
  return TextAppendString(value, found->second.c_str());
}

bool PlatformReadRegistryValue(RegistryRoot root, RegistryView view,
                               const char* key_path, const char* value_name,
                               char* buffer, size_t capacity, size_t* length) {
  fake::Log("registry " + fake::Describe(root, view, key_path) + " : " + value_name);
  auto key = S().registry.find(fake::RegistryKey(fake::ViewBits(view), root, key_path));
  if (key == S().registry.end()) return false;
  auto value = key->second.find(fake::Lower(value_name));
  if (value == key->second.end()) return false;
  const std::string& bytes = value->second;
  if (bytes.size() > capacity) return false;
  memcpy(buffer, bytes.data(), bytes.size());
  *length = bytes.size();
  return true;
}

QuestionAnswer PlatformAskYesNo(const char* caption, const char* text) {
  fake::Log(std::string("ask ") + caption);
  S().questions.push_back(std::string(caption) + "|" + text);
  return S().answer;
}

bool PlatformListRegistrySubkeys(RegistryRoot root, RegistryView view,
                                 const char* key_path, Text* names) {
  fake::Log("subkeys " + fake::Describe(root, view, key_path));
  // A key exists when it, or any key below it, holds values.
  std::string parent = fake::RegistryKey(fake::ViewBits(view), root, key_path);
  std::set<std::string> children;
  bool exists = false;
  for (const auto& entry : S().registry) {
    const std::string& key = entry.first;
    if (key == parent) exists = true;
    if (key.size() > parent.size() + 1 && key.compare(0, parent.size(), parent) == 0 &&
        key[parent.size()] == '\\') {
      exists = true;
      size_t end = key.find('\\', parent.size() + 1);
      children.insert(key.substr(parent.size() + 1,
                                 end == std::string::npos ? std::string::npos
                                                          : end - parent.size() - 1));
    }
  }
  if (!exists) return false;
  for (const std::string& child : children) {
    TextAppendString(names, child.c_str());
    TextAppendByte(names, '\0');
  }
  return true;
}

bool PlatformListFolder(const char* folder, Text* names) {
  fake::Log(std::string("list ") + folder);
  std::string key = fake::Key(folder);
  if (!S().directories.count(key)) return false;
  for (const auto& file : S().file_names) {
    if (fake::Lower(fake::Parent(file.second)) != key) continue;
    TextAppendString(names, file.second.substr(file.second.rfind('\\') + 1).c_str());
    TextAppendByte(names, '\0');
  }
  return true;
}

bool PlatformCurrentDirectory(Text* path) {
  return TextAppendString(path, S().current_directory.c_str());
}

bool PlatformFullPath(const char* path, Text* full_path) {
  fake::Log(std::string("full-path ") + path);
  return TextAppendString(full_path, fake::Resolve(path).c_str());
}

bool PlatformChangeDirectory(const char* path) {
  fake::Log(std::string("chdir ") + path);
  std::string full = fake::Resolve(path);
  if (!S().directories.count(fake::Lower(full))) return false;
  S().current_directory = full;
  return true;
}

bool PlatformStartProcess(const char* program_file, const char* command_line) {
  fake::Log(std::string("start ") + program_file);
  if (S().fail_starts) return false;
  S().starts.push_back(
      fake::Start{program_file, command_line, S().current_directory});
  return true;
}

void PlatformExitProcess(int status) {
  fake::Log("exit " + std::to_string(status));
  S().exit_status = status;
}
