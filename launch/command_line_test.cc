#include "launch/command_line.h"

#include <string>

#include "gtest/gtest.h"
#include "tests/fake_platform.h"

namespace {

class CommandLineTest : public testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
};

struct ArgumentCase {
  const char* command_line;
  const char* executable_path;
  const char* argument_text;
};

TEST_F(CommandLineTest, ArgumentText) {
  const ArgumentCase cases[] = {
      {"\"C:\\Apps\\My Tool\\Editor.exe\" -open notes.txt", "", "-open notes.txt"},
      {"\"C:\\x.exe\"", "", ""},
      {"\"C:\\x.exe\"a b", "", "a b"},
      {"\"C:\\never closed a b", "", ""},
      {"Tool  a  b ", "", "a  b "},
      {"Tool\t\t a", "", "a"},
      {"T\xE9st.exe \xE9t\xE9", "", "\xE9t\xE9"},
      // Apostrophes are not known here: the text starts after the first blank.
      {"'C:\\My Apps\\Tool.exe' x", "", "Apps\\Tool.exe' x"},
      // Unquoted with a space: cut at the first blank, unless it is our path.
      {"C:\\My Apps\\Tool.exe x", "C:\\Other\\Tool.exe", "Apps\\Tool.exe x"},
      {"C:\\Program Files\\App\\App.exe -x y", "C:\\Program Files\\App\\App.exe",
       "-x y"},
      {"c:\\PROGRAM FILES\\app\\APP.EXE\t-x", "C:\\Program Files\\App\\App.exe",
       "-x"},
      {"C:\\Program Files\\App\\App.exe", "C:\\Program Files\\App\\App.exe", ""},
      {"C:\\Program Files\\App\\App.exe2 -x", "C:\\Program Files\\App\\App.exe",
       "Files\\App\\App.exe2 -x"},
      {"C:\\Program Files\\App", "C:\\Program Files\\App\\App.exe", "Files\\App"},
      // A quoted line never uses the executable path, even when it matches.
      {"\"C:\\Program Files\\App\\App.exe\" -x", "C:\\Program Files\\App\\App.exe",
       "-x"},
      {"", "", ""},
  };
  for (const ArgumentCase& c : cases) {
    EXPECT_EQ(std::string(c.argument_text),
              ArgumentTextOf(c.command_line, c.executable_path))
        << c.command_line;
  }
}

TEST_F(CommandLineTest, ArgumentTextStepsOverDoubleByteCharacters) {
  // 0x81 0x22 is one double-byte character whose second byte looks like ".
  const char* line = "\"C:\\\x81\"x.exe\" arg";
  EXPECT_STREQ("x.exe\" arg", ArgumentTextOf(line, ""));
  fake::SetLeadBytes("\x81");
  EXPECT_STREQ("arg", ArgumentTextOf(line, ""));
  // A lead byte at the very end must not step past the terminator.
  EXPECT_STREQ("", ArgumentTextOf("\"C:\\\x81", ""));
}

struct PathCase {
  const char* command_line;
  const char* executable_path;
  const char* program_directory;
  const char* base_name;
};

TEST_F(CommandLineTest, ProgramDirectoryAndBaseName) {
  const PathCase cases[] = {
      {"\"C:\\Apps\\My Tool\\Editor.exe\" -open", "", "C:\\Apps\\My Tool", "Editor"},
      {"C:\\My Apps\\Tool.exe", "", "C:", "My"},
      {"Tool", "", ".", "Tool"},
      {"Tool.exe a", "", ".", "Tool"},
      {"My.Tool.exe", "", ".", "My"},
      {"C:\\Tool.exe", "", "C:", "Tool"},
      {"'C:\\My Apps\\Tool.exe' a", "", "C:\\My Apps", "Tool"},
      {"\"C:\\a/b/Tool.exe\"", "", "C:", "a/b/Tool"},
      {"\"C:\\App\\Tool.exe", "", "C:\\App", "Tool"},
      {"'C:\\App\\Tool.exe", "", "C:\\App", "Tool"},
      {"C:\\App\\Tool.exe\targ", "", "C:\\App", "Tool"},
      {"sub\\Tool.exe", "", "sub", "Tool"},
      {"\"\\\\server\\share\\Tool.exe\"", "", "\\\\server\\share", "Tool"},
      {"\"C:\\App\\.exe\"", "", "C:\\App", ""},
      {"", "", ".", ""},
      {"C:\\Program Files\\App\\App.exe -x", "C:\\Program Files\\App\\App.exe",
       "C:\\Program Files\\App", "App"},
      // The typed spelling is kept, as with a quoted path.
      {"c:\\program files\\app\\app.exe", "C:\\Program Files\\App\\App.exe",
       "c:\\program files\\app", "app"},
  };
  for (const PathCase& c : cases) {
    Text directory = {};
    Text base = {};
    ASSERT_TRUE(SplitLauncherPath(
        LauncherPathOf(c.command_line, c.executable_path), &directory, &base));
    EXPECT_STREQ(c.program_directory, TextString(&directory)) << c.command_line;
    EXPECT_STREQ(c.base_name, TextString(&base)) << c.command_line;
    TextFree(&directory);
    TextFree(&base);
  }
}

TEST_F(CommandLineTest, SplitIgnoresBackslashesInsideDoubleByteCharacters) {
  // 0x95 0x5C is one Shift-JIS character ending in the backslash byte.
  const char* line = "\"C:\\App\\\x95\\.exe\"";
  Text directory = {};
  Text base = {};
  fake::SetLeadBytes("\x95");
  SplitLauncherPath(LauncherPathOf(line, ""), &directory, &base);
  EXPECT_STREQ("C:\\App", TextString(&directory));
  EXPECT_STREQ("\x95\\", TextString(&base));
  TextFree(&directory);
  TextFree(&base);
}

}  // namespace
