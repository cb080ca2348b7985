#include <string>
#include <vector>

#include "base/trace.h"
#include "gtest/gtest.h"
#include "launch/launch.h"
#include "tests/fake_platform.h"

namespace {

const char kJreKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kJdkKey[] = "SOFTWARE\\JavaSoft\\Java Development Kit";
const char kPrefix[] = "javaw -Djava.library.path=.;.\\resource\\ -classpath ";

std::string DefaultClassPath(const std::string& base) {
  return ".;.\\resource\\" + base + ".data;.\\" + base + ".data;.\\resource\\" +
         base + ".jar;.\\" + base + ".jar";
}

class LauncherTest : public testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }

  // Starts the launcher as the system would, with `command_line` and the
  // executable at `executable_path`.
  static int Launch(const char* command_line, const std::string& executable_path) {
    fake::SetCommandLine(command_line);
    fake::SetExecutablePath(executable_path);
    return LauncherEntry();
  }

  static void Register(const char* key, const char* version, const char* home) {
    fake::SetRegistryString(kMachineRoot, key, "CurrentVersion", version);
    fake::SetRegistryString(kMachineRoot, std::string(key) + "\\" + version,
                            "JavaHome", home);
  }

  // The one program started; fails the test when there is not exactly one.
  static fake::Start OnlyStart() {
    EXPECT_EQ(1u, fake::Starts().size());
    return fake::Starts().empty() ? fake::Start{} : fake::Starts()[0];
  }
};

TEST_F(LauncherTest, QuotedPathWithPrivateRuntime) {
  fake::SetCurrentDirectory("C:\\Users\\me");
  fake::AddFile("C:\\Apps\\My Tool\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("\"C:\\Apps\\My Tool\\Editor.exe\" -open notes.txt",
                      "C:\\Apps\\My Tool\\Editor.exe"));
  fake::Start start = OnlyStart();
  EXPECT_EQ("C:\\Apps\\My Tool\\jre\\bin\\javaw.exe", start.program_file);
  EXPECT_EQ(
      "javaw -Djava.library.path=.;.\\resource\\ -classpath "
      ".;.\\resource\\Editor.data;.\\Editor.data;.\\resource\\Editor.jar;.\\Editor.jar "
      "Editor -open notes.txt",
      start.command_line);
  EXPECT_EQ("C:\\Apps\\My Tool", start.directory);
  EXPECT_EQ(0, fake::ExitStatus());
  EXPECT_TRUE(fake::CallsStartingWith("registry").empty());
}

TEST_F(LauncherTest, RuntimeSearchOrder) {
  const char kApp[] = "C:\\App";
  struct Case {
    const char* name;
    bool jre;           // C:\App\jre\bin\javaw.exe
    bool resource_jre;  // C:\App\resource\jre\bin\javaw.exe
    bool registered_jre;
    bool registered_jdk;
    const char* javaw;  // expected program file, or "" when none starts
  } cases[] = {
      {"private first", true, true, true, true, "C:\\App\\jre\\bin\\javaw.exe"},
      {"resource second", false, true, true, true,
       "C:\\App\\resource\\jre\\bin\\javaw.exe"},
      {"runtime product third", false, false, true, true,
       "C:\\Java\\jre\\bin\\javaw.exe"},
      {"development kit last", false, false, false, true,
       "C:\\Java\\jdk\\bin\\javaw.exe"},
      {"nothing at all", false, false, false, false, ""},
  };
  for (const Case& c : cases) {
    fake::Reset();
    fake::AddDirectory("C:\\App\\jre\\bin");  // an empty jre is passed over
    if (c.jre) fake::AddFile(std::string(kApp) + "\\jre\\bin\\javaw.exe");
    if (c.resource_jre) fake::AddFile(std::string(kApp) + "\\resource\\jre\\bin\\javaw.exe");
    if (c.registered_jre) {
      Register(kJreKey, "1.6", "C:\\Java\\jre");
      fake::AddFile("C:\\Java\\jre\\bin\\javaw.exe");
    }
    if (c.registered_jdk) {
      Register(kJdkKey, "1.8", "C:\\Java\\jdk");
      fake::AddFile("C:\\Java\\jdk\\bin\\javaw.exe");
    }
    EXPECT_EQ(0, Launch("\"C:\\App\\Tool.exe\"", "C:\\App\\Tool.exe")) << c.name;
    if (*c.javaw) {
      EXPECT_EQ(c.javaw, OnlyStart().program_file) << c.name;
    } else {
      EXPECT_TRUE(fake::Starts().empty()) << c.name;
      EXPECT_EQ(fake::kNoExit, fake::ExitStatus()) << c.name;
    }
  }
}

TEST_F(LauncherTest, RegisteredHomeIsExpanded) {
  fake::SetEnvironment("ProgramFiles", "C:\\Program Files");
  Register(kJreKey, "1.8", "%ProgramFiles%\\Java\\jre8");
  fake::AddFile("C:\\Program Files\\Java\\jre8\\bin\\javaw.exe");
  fake::AddDirectory("C:\\App");
  EXPECT_EQ(0, Launch("\"C:\\App\\Tool.exe\" a", "C:\\App\\Tool.exe"));
  fake::Start start = OnlyStart();
  EXPECT_EQ("C:\\Program Files\\Java\\jre8\\bin\\javaw.exe", start.program_file);
  EXPECT_EQ(kPrefix + DefaultClassPath("Tool") + " Tool a", start.command_line);
  EXPECT_EQ("C:\\App", start.directory);
}

TEST_F(LauncherTest, StaleRegisteredHomeEndsWithMinusOne) {
  fake::AddDirectory("C:\\App");
  Register(kJreKey, "1.6", "C:\\Removed\\jre");
  // A working development kit is not tried once a home was found.
  Register(kJdkKey, "1.8", "C:\\Java\\jdk");
  fake::AddFile("C:\\Java\\jdk\\bin\\javaw.exe");
  EXPECT_EQ(-1, Launch("\"C:\\App\\Tool.exe\"", "C:\\App\\Tool.exe"));
  EXPECT_TRUE(fake::Starts().empty());
  EXPECT_EQ(fake::kNoExit, fake::ExitStatus());
  EXPECT_TRUE(fake::CallsStartingWith("registry HKLM\\" + std::string(kJdkKey)).empty());
}

TEST_F(LauncherTest, FailedStartEndsWithMinusOne) {
  fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
  fake::FailProcessStarts();
  EXPECT_EQ(-1, Launch("\"C:\\App\\Tool.exe\"", "C:\\App\\Tool.exe"));
  EXPECT_EQ(fake::kNoExit, fake::ExitStatus());
}

TEST_F(LauncherTest, UnquotedPathWithSpacesIsReadWhole) {
  // Whoever can create C:\jre must not get their program run.
  fake::AddFile("C:\\jre\\bin\\javaw.exe");
  fake::AddFile("C:\\Program Files\\App\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("C:\\Program Files\\App\\App.exe -x",
                      "C:\\Program Files\\App\\App.exe"));
  fake::Start start = OnlyStart();
  EXPECT_EQ("C:\\Program Files\\App\\jre\\bin\\javaw.exe", start.program_file);
  EXPECT_EQ(kPrefix + DefaultClassPath("App") + " App -x", start.command_line);
  EXPECT_EQ("C:\\Program Files\\App", start.directory);
  EXPECT_TRUE(fake::CallsStartingWith("open C:\\jre").empty());
}

TEST_F(LauncherTest, UnquotedPathThatIsNotOursIsCutAtTheFirstSpace) {
  // For example a short 8.3 spelling: the plain rule applies, byte for byte.
  fake::AddFile("C:\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("C:\\My Apps\\Tool.exe x", "C:\\MYAPPS~1\\Tool.exe"));
  fake::Start start = OnlyStart();
  EXPECT_EQ("C:\\jre\\bin\\javaw.exe", start.program_file);
  EXPECT_EQ(kPrefix + DefaultClassPath("My") + " My Apps\\Tool.exe x",
            start.command_line);
}

TEST_F(LauncherTest, BaseNameWithBlanksIsQuoted) {
  fake::AddFile("C:\\Apps\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("\"C:\\Apps\\My Tool.exe\" x \"y z\"", "C:\\Apps\\My Tool.exe"));
  EXPECT_EQ(kPrefix + std::string("\"") + DefaultClassPath("My Tool") +
                "\" \"My Tool\" x \"y z\"",
            OnlyStart().command_line);

  fake::Reset();
  fake::AddFile("C:\\Apps\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("\"C:\\Apps\\My\tTool.exe\"", "C:\\Apps\\My\tTool.exe"));
  EXPECT_EQ(kPrefix + std::string("\"") + DefaultClassPath("My\tTool") +
                "\" \"My\tTool\" ",
            OnlyStart().command_line);
}

TEST_F(LauncherTest, EmptyArgumentTextLeavesOneTrailingSpace) {
  fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
  Launch("\"C:\\App\\Tool.exe\"   ", "C:\\App\\Tool.exe");
  EXPECT_EQ(kPrefix + DefaultClassPath("Tool") + " Tool ", OnlyStart().command_line);
}

TEST_F(LauncherTest, LauncherInADriveRootStartsInThatRoot) {
  fake::SetCurrentDirectory("C:\\Users\\me");
  fake::AddFile("C:\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("C:\\Tool.exe", "C:\\Tool.exe"));
  fake::Start start = OnlyStart();
  EXPECT_EQ("C:\\jre\\bin\\javaw.exe", start.program_file);
  EXPECT_EQ("C:\\", start.directory);
}

TEST_F(LauncherTest, BareNameUsesTheCurrentDirectory) {
  fake::SetCurrentDirectory("C:\\App");
  fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("Tool a", "C:\\App\\Tool.exe"));
  fake::Start start = OnlyStart();
  EXPECT_EQ(".\\jre\\bin\\javaw.exe", start.program_file);
  EXPECT_EQ(kPrefix + DefaultClassPath("Tool") + " Tool a", start.command_line);
  EXPECT_EQ("C:\\App", start.directory);
}

TEST_F(LauncherTest, RelativeProgramDirectoryKeepsThePrivateRuntime) {
  fake::SetCurrentDirectory("C:\\Work");
  fake::AddFile("C:\\Work\\sub\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("sub\\Tool.exe", "C:\\Work\\sub\\Tool.exe"));
  fake::Start start = OnlyStart();
  EXPECT_EQ("C:\\Work\\sub\\jre\\bin\\javaw.exe", start.program_file);
  EXPECT_EQ("C:\\Work\\sub", start.directory);
}

TEST_F(LauncherTest, DirectoryIsChangedOnlyRightBeforeTheStart) {
  fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
  Launch("\"C:\\App\\Tool.exe\"", "C:\\App\\Tool.exe");
  const std::vector<std::string>& calls = fake::Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ("chdir C:\\App", calls[calls.size() - 4]);
  EXPECT_EQ("exists C:\\App\\jre\\bin\\javaw.exe", calls[calls.size() - 3]);
  EXPECT_EQ("start C:\\App\\jre\\bin\\javaw.exe", calls[calls.size() - 2]);
  EXPECT_EQ("exit 0", calls.back());
}

TEST_F(LauncherTest, FailedDirectoryChangeIsIgnored) {
  fake::SetCurrentDirectory("C:\\Users\\me");
  // The runtime is registered, but the program folder does not exist.
  Register(kJreKey, "1.6", "C:\\Java\\jre");
  fake::AddFile("C:\\Java\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("\"C:\\Gone\\Tool.exe\"", "C:\\Gone\\Tool.exe"));
  EXPECT_EQ("C:\\Users\\me", OnlyStart().directory);
}

TEST_F(LauncherTest, NoCommandLineAtAll) {
  fake::SetCurrentDirectory("C:\\App");
  fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch(nullptr, "C:\\App\\Tool.exe"));
  EXPECT_EQ(kPrefix + std::string("  "), OnlyStart().command_line);
}

TEST_F(LauncherTest, PropertiesShapeTheCommandLine) {
  const std::string cp = DefaultClassPath("Tool");
  const struct {
    const char* properties;
    const char* command_line;
    std::string expected_tail;  // after "-classpath "
  } cases[] = {
      {"MainClass=com.example.Main\n", "\"C:\\App\\Tool.exe\" a",
       cp + " com.example.Main a"},
      {"MainClass=\n", "\"C:\\App\\Tool.exe\" a", cp + "  a"},
      {"MainClass=My Main\n", "\"C:\\App\\Tool.exe\"", cp + " My Main "},
      {"PersonalClasspath=lib\\x.jar\n", "\"C:\\App\\Tool.exe\"",
       cp + ";lib\\x.jar Tool "},
      {"PersonalClasspath=\n", "\"C:\\App\\Tool.exe\"", cp + "; Tool "},
      {"MainArgs=-x\n", "\"C:\\App\\Tool.exe\" a b", cp + " Tool a b -x"},
      {"MainArgs=-x\n", "\"C:\\App\\Tool.exe\"", cp + " Tool  -x"},
      {"MainArgs=\n", "\"C:\\App\\Tool.exe\" a", cp + " Tool a "},
      {"nothing to see\n", "\"C:\\App\\Tool.exe\" a", cp + " Tool a"},
  };
  for (const auto& c : cases) {
    fake::Reset();
    fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
    fake::AddFile("C:\\App\\Tool.properties", c.properties);
    EXPECT_EQ(0, Launch(c.command_line, "C:\\App\\Tool.exe")) << c.properties;
    EXPECT_EQ(kPrefix + c.expected_tail, OnlyStart().command_line) << c.properties;
  }
}

TEST_F(LauncherTest, PersonalClasspathFollowsTheQuotedDefault) {
  fake::AddFile("C:\\Apps\\jre\\bin\\javaw.exe");
  fake::AddFile("C:\\Apps\\My Tool.properties", "PersonalClasspath=lib\\x.jar\n");
  Launch("\"C:\\Apps\\My Tool.exe\"", "C:\\Apps\\My Tool.exe");
  EXPECT_EQ(kPrefix + std::string("\"") + DefaultClassPath("My Tool") +
                "\";lib\\x.jar \"My Tool\" ",
            OnlyStart().command_line);
}

TEST_F(LauncherTest, PropertiesInTheResourceFolder) {
  fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
  fake::AddFile("C:\\App\\resource\\Tool.properties", "Main Class = app.Main\r\n");
  Launch("\"C:\\App\\Tool.exe\"", "C:\\App\\Tool.exe");
  EXPECT_EQ(kPrefix + DefaultClassPath("Tool") + " app.Main ", OnlyStart().command_line);
}

TEST_F(LauncherTest, PinnedVersionMovesOnToTheDevelopmentKit) {
  fake::AddDirectory("C:\\App");
  fake::AddFile("C:\\App\\Tool.properties", "JRE version=1.4\n");
  Register(kJreKey, "1.6", "C:\\Java\\jre16");
  fake::AddFile("C:\\Java\\jre16\\bin\\javaw.exe");
  fake::SetRegistryString(kMachineRoot, std::string(kJdkKey) + "\\1.4", "JavaHome",
                          "C:\\Java\\jdk14");
  fake::AddFile("C:\\Java\\jdk14\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("\"C:\\App\\Tool.exe\"", "C:\\App\\Tool.exe"));
  EXPECT_EQ("C:\\Java\\jdk14\\bin\\javaw.exe", OnlyStart().program_file);
  EXPECT_TRUE(fake::CallsStartingWith("registry HKLM\\" + std::string(kJreKey) +
                                      " : CurrentVersion")
                  .empty());
}

TEST_F(LauncherTest, ClassicSourcesWinOverTodaysOnes) {
  // Today's sources: a Java 17 under SOFTWARE\JavaSoft\JDK and a per-user
  // OpenJDK install.
  auto add_todays_runtimes = [] {
    fake::SetRegistryString(kMachineRoot, "SOFTWARE\\JavaSoft\\JDK", "CurrentVersion", "17");
    fake::SetRegistryString(kMachineRoot, "SOFTWARE\\JavaSoft\\JDK\\17", "JavaHome",
                            "C:\\Java\\jdk17");
    fake::AddFile("C:\\Java\\jdk17\\bin\\javaw.exe");
    fake::SetRegistryString(kUserRoot, "SOFTWARE\\Eclipse Adoptium\\JRE\\21.0.2.13\\hotspot\\MSI",
                            "Path", "%LOCALAPPDATA%\\jre21");
    fake::SetEnvironment("LOCALAPPDATA", "C:\\Users\\me\\AppData\\Local");
    fake::AddFile("C:\\Users\\me\\AppData\\Local\\jre21\\bin\\javaw.exe");
  };
  const std::string command_line = kPrefix + DefaultClassPath("Tool") + " Tool a";

  add_todays_runtimes();
  Register(kJreKey, "1.8", "C:\\Java\\jre8");
  fake::AddFile("C:\\Java\\jre8\\bin\\javaw.exe");
  EXPECT_EQ(0, Launch("\"C:\\App\\Tool.exe\" a", "C:\\App\\Tool.exe"));
  EXPECT_EQ("C:\\Java\\jre8\\bin\\javaw.exe", OnlyStart().program_file);
  EXPECT_EQ(command_line, OnlyStart().command_line);
  EXPECT_TRUE(fake::CallsStartingWith("registry HKLM\\SOFTWARE\\JavaSoft\\JDK").empty());

  // A stale classic entry still ends the launch with -1.
  fake::Reset();
  add_todays_runtimes();
  Register(kJreKey, "1.8", "C:\\Java\\removed");
  EXPECT_EQ(-1, Launch("\"C:\\App\\Tool.exe\" a", "C:\\App\\Tool.exe"));

  // Without classic entries, today's runtimes are found, in their order.
  fake::Reset();
  add_todays_runtimes();
  EXPECT_EQ(0, Launch("\"C:\\App\\Tool.exe\" a", "C:\\App\\Tool.exe"));
  EXPECT_EQ("C:\\Java\\jdk17\\bin\\javaw.exe", OnlyStart().program_file);
  EXPECT_EQ(command_line, OnlyStart().command_line);

  fake::Reset();
  add_todays_runtimes();
  fake::SetRegistryString(kMachineRoot, "SOFTWARE\\JavaSoft\\JDK\\17", "JavaHome",
                          "C:\\Java\\gone");
  EXPECT_EQ(0, Launch("\"C:\\App\\Tool.exe\" a", "C:\\App\\Tool.exe"));
  EXPECT_EQ("C:\\Users\\me\\AppData\\Local\\jre21\\bin\\javaw.exe",
            OnlyStart().program_file);
}

TEST_F(LauncherTest, AccountOfALaunchOnlyWhenAsked) {
  Register(kJreKey, "1.6", "C:\\Removed\\jre");
  fake::AddDirectory("C:\\App");
  Text account = {};
  SetTrace(&account);
  EXPECT_EQ(-1, Launch("\"C:\\App\\Tool.exe\" a", "C:\\App\\Tool.exe"));
  SetTrace(nullptr);
  const std::string said = TextString(&account);
  for (const char* line : {
           "launcher path: C:\\App\\Tool.exe (between double quotes)\n",
           "  C:\\App\\jre\\bin\\javaw.exe: not there\n",
           "  HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment : "
           "CurrentVersion = \"1.6\"\n",
           "Java home: C:\\Removed\\jre\n",
           "C:\\Removed\\jre\\bin\\javaw.exe does not exist: the launcher ends with -1\n",
       }) {
    EXPECT_NE(std::string::npos, said.find(line)) << line << "in:\n" << said;
  }
  // Once it is switched off, a launch writes nothing more.
  const size_t length = account.length;
  Launch("\"C:\\App\\Tool.exe\" a", "C:\\App\\Tool.exe");
  EXPECT_EQ(length, account.length);
  TextFree(&account);
}

TEST_F(LauncherTest, HandOverJoinsArgumentsWithoutQuoting) {
  fake::AddFile("C:\\bin\\prog.exe");
  const char* const arguments[] = {"prog", "", "a b", "\"q\"", ""};
  EXPECT_EQ(0, HandOver("C:\\bin\\prog.exe", arguments, 5));
  EXPECT_EQ("prog  a b \"q\" ", OnlyStart().command_line);
  EXPECT_EQ(0, fake::ExitStatus());
}

TEST_F(LauncherTest, HandOverNeedsTheProgramFileToExist) {
  const char* const arguments[] = {"prog"};
  EXPECT_EQ(-1, HandOver("C:\\bin\\prog.exe", arguments, 1));
  EXPECT_TRUE(fake::CallsStartingWith("start").empty());
}

}  // namespace
