#include "launch/properties.h"

#include <string>

#include "gtest/gtest.h"
#include "tests/fake_platform.h"

namespace {

const char* kAbsent = nullptr;

// The four settings, as comparable strings ("<absent>" for a missing one).
struct Settings {
  std::string jre_version, personal_classpath, main_args, main_class;
  bool operator==(const Settings& o) const {
    return jre_version == o.jre_version &&
           personal_classpath == o.personal_classpath &&
           main_args == o.main_args && main_class == o.main_class;
  }
};

std::ostream& operator<<(std::ostream& out, const Settings& s) {
  return out << "{" << s.jre_version << " | " << s.personal_classpath << " | "
             << s.main_args << " | " << s.main_class << "}";
}

std::string Show(const char* field) { return field ? field : "<absent>"; }

Settings Expect(const char* jre_version, const char* personal_classpath,
                const char* main_args, const char* main_class) {
  return {Show(jre_version), Show(personal_classpath), Show(main_args),
          Show(main_class)};
}

Settings SettingsOf(const LaunchProperties* p) {
  return Expect(p->jreVersion, p->personalClasspath, p->mainArgs, p->mainClass);
}

// Reads `file` as the properties file, handing it over `chunk` bytes at a time.
Settings Parse(const std::string& file, size_t chunk) {
  LaunchProperties properties = {};
  PropertiesReader reader;
  StartProperties(&reader, &properties);
  for (size_t at = 0; at < file.size(); at += chunk) {
    if (!FeedProperties(&reader, file.data() + at, std::min(chunk, file.size() - at))) {
      break;
    }
  }
  FinishProperties(&reader, true);
  Settings settings = SettingsOf(&properties);
  free(properties.jreVersion);
  free(properties.personalClasspath);
  free(properties.mainArgs);
  free(properties.mainClass);
  return settings;
}

TEST(PropertiesTest, ParsingCases) {
  const std::string long_value(kLinePieceBytes - 10, 'a');  // fills a piece with "MainClass="
  const struct {
    const char* name;
    std::string file;
    Settings expected;
  } cases[] = {
      {"trailing blanks", "MainClass = com.example.Main  \t \n",
       Expect(kAbsent, kAbsent, kAbsent, "com.example.Main")},
      {"every spelling",
       "JRE version=1\nPersonal Classpath=2\nMain Args=3\nMain Class=4\n",
       Expect("1", "2", "3", "4")},
      {"spellings without blanks",
       "JREversion=1\nPersonalClasspath=2\nMainArgs=3\nMainClass=4\n",
       Expect("1", "2", "3", "4")},
      {"letter case", "mainclass=Main\nMAIN ARGS=-x\n",
       Expect(kAbsent, kAbsent, "-x", "Main")},
      {"comment", "# MainClass=Other\n", Expect(kAbsent, kAbsent, kAbsent, kAbsent)},
      {"split at the last =", "Main Args=-Dx=1\n",
       Expect(kAbsent, kAbsent, kAbsent, kAbsent)},
      {"later value wins", "MainClass=A\nMainClass=B\n",
       Expect(kAbsent, kAbsent, kAbsent, "B")},
      {"stops once all four are present",
       "MainClass=A\nJREversion=1.4\nMainArgs=\nPersonalClasspath=x\nMainClass=B\n",
       Expect("1.4", "x", "", "A")},
      {"empty value is present", "MainClass=\n", Expect(kAbsent, kAbsent, kAbsent, "")},
      {"no keys at all", "hello\n\nfoo=bar\n", Expect(kAbsent, kAbsent, kAbsent, kAbsent)},
      {"empty file", "", Expect(kAbsent, kAbsent, kAbsent, kAbsent)},
      {"CRLF", "MainClass=A\r\nMainArgs=-x y\r\n",
       Expect(kAbsent, kAbsent, "-x y", "A")},
      {"carriage returns only, one setting", "MainClass=A\r",
       Expect(kAbsent, kAbsent, kAbsent, "A")},
      {"carriage returns only, two settings", "MainClass=A\rMainArgs=b\r",
       Expect(kAbsent, kAbsent, kAbsent, kAbsent)},
      {"cut at the last carriage return", "MainArgs=a\rb\n",
       Expect(kAbsent, kAbsent, "a", kAbsent)},
      {"CR CR LF", "MainClass=A\r\r\n", Expect(kAbsent, kAbsent, kAbsent, "A")},
      {"no final line feed", "MainArgs=x\nMainClass=Last",
       Expect(kAbsent, kAbsent, "x", "Last")},
      {"Ctrl-Z ends the file", "MainClass=A\n\x1AMainArgs=x\n",
       Expect(kAbsent, kAbsent, kAbsent, "A")},
      {"Ctrl-Z inside a line", "MainClass=AB\x1A" "C\n",
       Expect(kAbsent, kAbsent, kAbsent, "AB")},
      {"zero byte ends only its line", std::string("MainClass=Foo\0junk\nMainArgs=-x\n", 31),
       Expect(kAbsent, kAbsent, "-x", "Foo")},
      {"zero byte before the =", std::string("Mai\0nClass=Foo\nMainArgs=-x\n", 27),
       Expect(kAbsent, kAbsent, "-x", kAbsent)},
      {"white space is exactly ASCII blanks", "\t\v\f MainClass \t=\t A\xA0 \r\n",
       Expect(kAbsent, kAbsent, kAbsent, "A\xA0")},
      {"letters beyond ASCII are not folded", "M\xC1in Class=x\n",
       Expect(kAbsent, kAbsent, kAbsent, kAbsent)},
      {"a long line reads as pieces",
       std::string(kLinePieceBytes, '#') + "MainClass=Tail\n",
       Expect(kAbsent, kAbsent, kAbsent, "Tail")},
      {"a value cut at the piece size", "MainClass=" + long_value + "bc\nMainArgs=x\n",
       Expect(kAbsent, kAbsent, "x", long_value.c_str())},
      {"a CR LF right after a full piece",
       "MainClass=" + long_value + "\r\nMainArgs=x\r\n",
       Expect(kAbsent, kAbsent, "x", long_value.c_str())},
  };
  for (const auto& c : cases) {
    // The bytes may arrive in any slices; the result must not depend on it.
    for (size_t chunk : {c.file.size() + 1, (size_t)1, (size_t)2, (size_t)3, (size_t)7}) {
      EXPECT_EQ(c.expected, Parse(c.file, chunk)) << c.name << ", chunk " << chunk;
    }
  }
}

TEST(PropertiesTest, TrimBlanks) {
  const struct {
    const char* text;
    const char* trimmed;
  } cases[] = {
      {"  a b  ", "a b"}, {"\t\n\v\f\r x \r\n", "x"}, {"   ", ""},
      {"", ""},           {"x", "x"},                 {"\xA0x\xA0", "\xA0x\xA0"},
  };
  for (const auto& c : cases) {
    std::string buffer = c.text;
    EXPECT_STREQ(c.trimmed, TrimBlanks(&buffer[0])) << c.text;
  }
}

class ReadPropertiesTest : public testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
};

TEST_F(ReadPropertiesTest, FirstFileThatOpensIsTheOnlyOneRead) {
  EXPECT_EQ(nullptr, ReadLaunchProperties("C:\\App", "Tool"));

  fake::AddFile("C:\\App\\resource\\Tool.properties", "MainClass=FromResource\n");
  LaunchProperties* properties = ReadLaunchProperties("C:\\App", "Tool");
  ASSERT_NE(nullptr, properties);
  EXPECT_STREQ("FromResource", properties->mainClass);
  FreeLaunchProperties(properties);

  fake::AddFile("C:\\App\\Tool.properties", "MainArgs=beside\n");
  properties = ReadLaunchProperties("C:\\App", "Tool");
  EXPECT_EQ(Expect(kAbsent, kAbsent, "beside", kAbsent), SettingsOf(properties));
  FreeLaunchProperties(properties);
  EXPECT_EQ(0, fake::OpenFileCount());
}

TEST_F(ReadPropertiesTest, AFolderNamedLikeTheFileIsPassedOver) {
  fake::AddDirectory("C:\\App\\Tool.properties");
  fake::AddFile("C:\\App\\resource\\Tool.properties", "MainClass=R\n");
  LaunchProperties* properties = ReadLaunchProperties("C:\\App", "Tool");
  ASSERT_NE(nullptr, properties);
  EXPECT_STREQ("R", properties->mainClass);
  FreeLaunchProperties(properties);
}

TEST_F(ReadPropertiesTest, ReadErrorKeepsWhatWasReadAndDropsTheCutLine) {
  const std::string file = "MainArgs=-x\nMainClass=com.example.Main\n";
  fake::AddFile("C:\\App\\Tool.properties", file);
  fake::FailReadsAt("C:\\App\\Tool.properties", file.find("example"));
  fake::SetReadChunk(5);
  LaunchProperties* properties = ReadLaunchProperties("C:\\App", "Tool");
  EXPECT_EQ(Expect(kAbsent, kAbsent, "-x", kAbsent), SettingsOf(properties));
  FreeLaunchProperties(properties);
  EXPECT_EQ(0, fake::OpenFileCount());
}

TEST_F(ReadPropertiesTest, LargeFileIsReadToItsEnd) {
  std::string file(1 << 20, 'x');
  file += "\nMainClass=AfterAMegabyte\n";
  fake::AddFile("C:\\App\\Tool.properties", file);
  LaunchProperties* properties = ReadLaunchProperties("C:\\App", "Tool");
  EXPECT_STREQ("AfterAMegabyte", properties->mainClass);
  FreeLaunchProperties(properties);
}

}  // namespace
