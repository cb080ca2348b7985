// The properties reader: file bytes in, settings out. Properties: the result
// does not depend on how the bytes arrive (whole, in slices, or through the
// file reader); every value is trimmed and holds no "="; TrimBlanks leaves no
// white space at either end.

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "launch/properties.h"
#include "tests/fake_platform.h"

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string Field(const char* value) {
  return value ? "+" + std::string(value) : "-";
}

std::string Fields(const LaunchProperties& p) {
  return Field(p.jreVersion) + "|" + Field(p.personalClasspath) + "|" +
         Field(p.mainArgs) + "|" + Field(p.mainClass);
}

void CheckValue(const char* value) {
  if (!value) return;
  size_t length = strlen(value);
  FUZZ_CHECK(strchr(value, '=') == nullptr);
  FUZZ_CHECK(length == 0 || (!IsBlank(value[0]) && !IsBlank(value[length - 1])));
}

std::string Parse(const std::string& file, size_t chunk) {
  LaunchProperties properties = {};
  PropertiesReader reader;
  StartProperties(&reader, &properties);
  for (size_t at = 0; at < file.size(); at += chunk) {
    size_t count = file.size() - at < chunk ? file.size() - at : chunk;
    if (!FeedProperties(&reader, file.data() + at, count)) break;
  }
  FinishProperties(&reader, true);
  CheckValue(properties.jreVersion);
  CheckValue(properties.personalClasspath);
  CheckValue(properties.mainArgs);
  CheckValue(properties.mainClass);
  std::string fields = Fields(properties);
  free(properties.jreVersion);
  free(properties.personalClasspath);
  free(properties.mainArgs);
  free(properties.mainClass);
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t chunk = data[0] % 64 + 1;
  const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::string whole = Parse(file, file.size() + 1);
  FUZZ_CHECK(Parse(file, chunk) == whole);

  fake::Reset();
  fake::AddFile("C:\\App\\Tool.properties", file);
  fake::SetReadChunk(chunk * 7);
  LaunchProperties* read = ReadLaunchProperties("C:\\App", "Tool");
  FUZZ_CHECK(read != nullptr);
  FUZZ_CHECK(Fields(*read) == whole);
  FreeLaunchProperties(read);
  FUZZ_CHECK(fake::OpenFileCount() == 0);

  std::string text = file.substr(0, file.find('\0'));
  char* trimmed = TrimBlanks(&text[0]);
  size_t length = strlen(trimmed);
  FUZZ_CHECK(length == 0 || (!IsBlank(trimmed[0]) && !IsBlank(trimmed[length - 1])));
  FUZZ_CHECK(file.find(std::string(trimmed, length)) != std::string::npos);
  return 0;
}
