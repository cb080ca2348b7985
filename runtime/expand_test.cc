#include <string>

#include "gtest/gtest.h"
#include "runtime/runtime.h"
#include "tests/fake_platform.h"

namespace {

std::string Expand(const char* source) {
  Text output = {};
  TextAppendString(&output, "left over from before");
  ExpandPercentRefs(source, &output);
  std::string result = TextString(&output);
  TextFree(&output);
  return result;
}

TEST(ExpandTest, ReplacesReferencesByEnvironmentValues) {
  fake::Reset();
  fake::SetEnvironment("ProgramFiles", "C:\\Program Files");
  fake::SetEnvironment("A", "alpha");
  fake::SetEnvironment("B", "beta");
  fake::SetEnvironment("LOOP", "%A%");
  fake::SetEnvironment("EMPTY", "");
  const struct {
    const char* source;
    const char* expected;
  } cases[] = {
      {"%ProgramFiles%\\Java\\jre", "C:\\Program Files\\Java\\jre"},
      {"%programfiles%\\Java\\jre", "C:\\Program Files\\Java\\jre"},
      {"%NOSUCHVAR%\\jre", "\\jre"},
      {"50%off", "50%off"},
      {"%A%%B%", "alphabeta"},
      {"%%", ""},
      {"x%%y", "xy"},
      {"%LOOP%", "%A%"},  // values are not scanned again
      {"C:\\plain\\path", "C:\\plain\\path"},
      {"", ""},
      {"%A%x%", "alphax%"},
      {"a%EMPTY%b", "ab"},
      {"%A", "%A"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Expand(c.source)) << c.source;
}

TEST(ExpandTest, HiddenDriveEntriesAreNotVariables) {
  fake::Reset();
  // Windows keeps the current directory of each drive as "=C:" and so on.
  fake::SetEnvironment("=C:", "C:\\secret");
  fake::SetEnvironment("A", "alpha");
  EXPECT_EQ("\\jre", Expand("%=C:%\\jre"));
  EXPECT_EQ("", Expand("%A=B%"));
  EXPECT_TRUE(fake::CallsStartingWith("environment =").empty());
}

TEST(ExpandTest, LongExpansionsAreKeptWhole) {
  fake::Reset();
  std::string long_value(5000, 'v');
  fake::SetEnvironment("LONG", long_value);
  EXPECT_EQ(long_value + long_value + "\\jre", Expand("%LONG%%LONG%\\jre"));
}

}  // namespace
