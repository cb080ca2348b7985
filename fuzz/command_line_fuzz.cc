// The launcher's own command line, with a fuzzed executable path and
// double-byte code page. Properties: the argument text is a suffix of the
// command line that starts with no blank; the launcher path lies inside the
// line; the program directory and base name come from that path (the
// directory a prefix of it, or "."; the base name without a dot, a prefix of
// the file name).

#include <stdint.h>
#include <string.h>

#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_check.h"
#include "launch/command_line.h"
#include "tests/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  fake::Reset();
  std::string lead_bytes = provider.ConsumeRandomLengthString(4);
  fake::SetLeadBytes(lead_bytes);
  std::string executable = provider.ConsumeRandomLengthString(64);
  executable = executable.substr(0, executable.find('\0'));
  std::string line = provider.ConsumeRemainingBytesAsString();
  line = line.substr(0, line.find('\0'));
  const char* command_line = line.c_str();
  const char* end = command_line + line.size();

  const char* arguments = ArgumentTextOf(command_line, executable.c_str());
  FUZZ_CHECK(arguments >= command_line && arguments <= end);
  FUZZ_CHECK(*arguments == '\0' || (unsigned char)*arguments > ' ');

  ByteSpan path = LauncherPathOf(command_line, executable.c_str());
  FUZZ_CHECK(path.start >= command_line && path.start + path.length <= end);
  size_t prefix = ExecutablePathPrefix(command_line, executable.c_str());
  if (prefix) {
    FUZZ_CHECK(prefix == executable.size());
    FUZZ_CHECK(path.start == command_line && path.length == prefix);
    FUZZ_CHECK(arguments >= command_line + prefix);
  }

  Text directory = {};
  Text base = {};
  FUZZ_CHECK(SplitLauncherPath(path, &directory, &base));
  const std::string whole(path.start, path.length);
  const std::string dir = TextString(&directory);
  const std::string name = TextString(&base);
  // The file name follows the directory and a backslash; with no backslash
  // the directory is "." and the file name is the whole path.
  bool consistent = false;
  if (dir == "." && whole.compare(0, name.size(), name) == 0) consistent = true;
  if (whole.size() > dir.size() && whole.compare(0, dir.size(), dir) == 0 &&
      whole[dir.size()] == '\\' &&
      whole.compare(dir.size() + 1, name.size(), name) == 0) {
    consistent = true;
  }
  FUZZ_CHECK(consistent);
  FUZZ_CHECK(name.find('.') == std::string::npos);
  TextFree(&directory);
  TextFree(&base);
  return 0;
}
