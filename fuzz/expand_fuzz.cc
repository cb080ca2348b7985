// %NAME% expansion with a fuzzed environment, checked against a plain model
// of the rules: every matched pair of "%" names a variable whose value (or
// nothing) replaces it; an unmatched "%" and what follows stay as they are.
// A text without "%" comes out unchanged.

#include <stdint.h>

#include <map>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_check.h"
#include "runtime/runtime.h"
#include "tests/fake_platform.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  }
  return text;
}

std::string Model(const std::string& source,
                  const std::map<std::string, std::string>& environment) {
  std::string out;
  size_t at = 0;
  for (;;) {
    size_t open = source.find('%', at);
    if (open == std::string::npos) return out + source.substr(at);
    out += source.substr(at, open - at);
    size_t close = source.find('%', open + 1);
    if (close == std::string::npos) return out + source.substr(open);
    std::string name = source.substr(open + 1, close - open - 1);
    auto found = environment.find(Lower(name));
    if (!name.empty() && name.find('=') == std::string::npos &&
        found != environment.end()) {
      out += found->second;
    }
    at = close + 1;
  }
}

std::string CString(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  fake::Reset();
  std::map<std::string, std::string> environment;
  const int variables = provider.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < variables; ++i) {
    std::string name = CString(provider.ConsumeRandomLengthString(12));
    std::string value = CString(provider.ConsumeRandomLengthString(64));
    if (name.empty() || name.find('=') != std::string::npos) continue;
    fake::SetEnvironment(name, value);
    environment[Lower(name)] = value;
  }
  const std::string source = CString(provider.ConsumeRemainingBytesAsString());

  Text output = {};
  ExpandPercentRefs(source.c_str(), &output);
  const std::string expanded(TextString(&output), output.length);
  FUZZ_CHECK(!output.failed);
  FUZZ_CHECK(expanded == Model(source, environment));
  if (source.find('%') == std::string::npos) FUZZ_CHECK(expanded == source);
  TextFree(&output);
  return 0;
}
