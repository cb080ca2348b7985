// A whole launch over the fake platform with a fuzzed command line,
// properties file, registry values and environment. Properties: the launch
// ends with 0 or -1; it starts at most one program, either javaw from a Java
// home ("javaw ...") or the browser ("iexplore ..."), and ends the process
// with 0 exactly when it started one.

#include <stdint.h>
#include <string.h>

#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "base/trace.h"
#include "fuzz/fuzz_check.h"
#include "launch/launch.h"
#include "tests/fake_platform.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  fake::Reset();
  fake::SetBitness(provider.ConsumeBool() ? 32 : 64);
  fake::SetCurrentDirectory("C:\\Work");
  fake::SetExecutablePath("C:\\Program Files\\App\\Tool.exe");
  fake::SetAnswer(static_cast<QuestionAnswer>(provider.ConsumeIntegralInRange(0, 2)));
  fake::SetEnvironment("HOME", provider.ConsumeRandomLengthString(40));
  fake::SetEnvironment("ProgramFiles", "C:\\Program Files");
  if (provider.ConsumeBool()) fake::AddFile("C:\\Program Files\\App\\jre\\bin\\javaw.exe");
  if (provider.ConsumeBool()) {
    fake::AddFile("C:\\Program Files\\App\\Tool.properties",
                  provider.ConsumeRandomLengthString(300));
  }
  const char* const keys[] = {
      "SOFTWARE\\JavaSoft\\Java Runtime Environment",
      "SOFTWARE\\JavaSoft\\JDK",
      "SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.8.7\\hotspot\\MSI",
      "SOFTWARE\\Microsoft\\IE Setup\\Setup",
  };
  const int entries = provider.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < entries; ++i) {
    std::string key = keys[provider.ConsumeIntegralInRange(0, 3)];
    if (provider.ConsumeBool()) key += "\\" + provider.ConsumeRandomLengthString(6);
    const char* names[] = {"CurrentVersion", "JavaHome", "Path"};
    std::string name = names[provider.ConsumeIntegralInRange(0, 2)];
    std::string value = provider.ConsumeRandomLengthString(1100);
    RegistryRoot root = provider.ConsumeBool() ? kMachineRoot : kUserRoot;
    fake::SetRegistryBytes(root, key, name, value);
    // Sometimes make the named home real, so that hand-overs happen.
    std::string home = value.substr(0, value.find('\0'));
    if (provider.ConsumeBool()) fake::AddFile(home + "\\bin\\javaw.exe");
    if (provider.ConsumeBool()) fake::AddFile(home + "\\iexplore.exe");
  }
  if (provider.ConsumeBool()) fake::FailProcessStarts();
  const bool trace = provider.ConsumeBool();
  std::string line = provider.ConsumeRemainingBytesAsString();
  line = line.substr(0, line.find('\0'));
  fake::SetCommandLine(line.c_str());

  // Half the runs also write the launch's account, as the explainer does.
  Text account = {};
  if (trace) SetTrace(&account);
  const int status = LauncherEntry();
  SetTrace(nullptr);
  FUZZ_CHECK(!account.failed);
  TextFree(&account);
  FUZZ_CHECK(status == 0 || status == -1);
  FUZZ_CHECK(fake::Starts().size() <= 1);
  if (fake::Starts().empty()) {
    FUZZ_CHECK(fake::ExitStatus() == fake::kNoExit);
  } else {
    const fake::Start& start = fake::Starts()[0];
    FUZZ_CHECK(status == 0 && fake::ExitStatus() == 0);
    const bool javaw = StartsWith(start.command_line, "javaw -Djava.library.path=.;.\\resource\\ -classpath ") &&
                       EndsWith(start.program_file, "\\bin\\javaw.exe");
    const bool browser = StartsWith(start.command_line, "iexplore http://") &&
                         EndsWith(start.program_file, "\\iexplore.exe");
    FUZZ_CHECK(javaw || browser);
  }
  return 0;
}
