#include <stdlib.h>

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "launch/launch.h"
#include "runtime/runtime.h"
#include "tests/fake_platform.h"

namespace {

const char kClassicJre[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kClassicJdk[] = "SOFTWARE\\JavaSoft\\Java Development Kit";
const char kModernJre[] = "SOFTWARE\\JavaSoft\\JRE";
const char kModernJdk[] = "SOFTWARE\\JavaSoft\\JDK";
const char kAdoptiumJre[] = "SOFTWARE\\Eclipse Adoptium\\JRE";
const char kAdoptiumJdk[] = "SOFTWARE\\Eclipse Adoptium\\JDK";
const char kMicrosoftJdk[] = "SOFTWARE\\Microsoft\\JDK";

std::string Take(char* result) {
  std::string text = result ? result : "<absent>";
  free(result);
  return text;
}

TEST(VersionTest, NumericOrder) {
  const struct {
    const char* lower;
    const char* higher;
  } cases[] = {
      {"9", "17"},          {"17", "17.0.10"},      {"17.0.8.7", "17.0.10.7"},
      {"1.8", "9"},         {"1.8", "1.8.0"},       {"1.8.0_41", "1.8.0_392"},
      {"17.0.8+7", "17.0.8+10"}, {"17", "170.1"},   {"007", "8"},
      {"", "1"},            {"99999999999999999999", "100000000000000000000"},
  };
  for (const auto& c : cases) {
    EXPECT_LT(CompareVersions(c.lower, c.higher), 0) << c.lower << " < " << c.higher;
    EXPECT_GT(CompareVersions(c.higher, c.lower), 0) << c.higher << " > " << c.lower;
  }
  EXPECT_EQ(0, CompareVersions("17.0.8", "17.00.8"));
}

TEST(VersionTest, PinMatchesTheVersionOrItsDottedExtensions) {
  EXPECT_TRUE(VersionMatchesPin("17", "17"));
  EXPECT_TRUE(VersionMatchesPin("17.0.8.7", "17"));
  EXPECT_TRUE(VersionMatchesPin("17.0.8.7", "17.0"));
  EXPECT_FALSE(VersionMatchesPin("170.1", "17"));
  EXPECT_FALSE(VersionMatchesPin("1", "17"));
  EXPECT_FALSE(VersionMatchesPin("17_1", "17"));
}

class ExtendedTest : public testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }

  // A Java home with javaw, registered for `version` of a JavaSoft product.
  static void JavaSoft(int bits, const char* key, const char* version,
                       const std::string& home, bool current = true) {
    if (current) {
      fake::SetRegistryStringInView(bits, kMachineRoot, key, "CurrentVersion", version);
    }
    fake::SetRegistryStringInView(bits, kMachineRoot, std::string(key) + "\\" + version,
                                  "JavaHome", home);
    fake::AddFile(home + "\\bin\\javaw.exe");
  }

  // An OpenJDK installer's entry; `stale` leaves out the javaw file.
  static void Installed(int bits, RegistryRoot root, const char* key,
                        const char* version, const std::string& home,
                        bool stale = false) {
    fake::SetRegistryStringInView(bits, root,
                                  std::string(key) + "\\" + version + "\\hotspot\\MSI",
                                  "Path", home);
    if (!stale) fake::AddFile(home + "\\bin\\javaw.exe");
  }
};

TEST_F(ExtendedTest, SourcesInOrder) {
  // Every source holds a runtime; removing the winner each time shows the
  // order. The launcher is a 32-bit build, so 64 is the other view.
  const struct {
    const char* home;
    int bits;
    RegistryRoot root;
    const char* key;
  } sources[] = {
      {"C:\\other-view-jre", 64, kMachineRoot, kClassicJre},
      {"C:\\other-view-jdk", 64, kMachineRoot, kClassicJdk},
      {"C:\\jre-own", 32, kMachineRoot, kModernJre},
      {"C:\\jdk-own", 32, kMachineRoot, kModernJdk},
      {"C:\\jre-other", 64, kMachineRoot, kModernJre},
      {"C:\\jdk-other", 64, kMachineRoot, kModernJdk},
      {"C:\\adoptium-jre", 32, kMachineRoot, kAdoptiumJre},
      {"C:\\adoptium-jdk", 32, kMachineRoot, kAdoptiumJdk},
      {"C:\\microsoft-jdk", 32, kMachineRoot, kMicrosoftJdk},
      {"C:\\adoptium-jre-64", 64, kMachineRoot, kAdoptiumJre},
      {"C:\\microsoft-jdk-64", 64, kMachineRoot, kMicrosoftJdk},
      {"C:\\user-adoptium-jdk", 0, kUserRoot, kAdoptiumJdk},
      {"C:\\user-microsoft-jdk", 0, kUserRoot, kMicrosoftJdk},
  };
  const size_t count = sizeof sources / sizeof sources[0];
  for (size_t first = 0; first < count; ++first) {
    fake::Reset();
    for (size_t i = first; i < count; ++i) {
      const auto& s = sources[i];
      if (std::string(s.key).find("JavaSoft") != std::string::npos) {
        JavaSoft(s.bits, s.key, "11", s.home);
      } else {
        Installed(s.bits, s.root, s.key, "11.0.2.9", s.home);
      }
    }
    EXPECT_EQ(sources[first].home, Take(FindExtendedRuntime(nullptr)));
  }
  fake::Reset();
  EXPECT_EQ("<absent>", Take(FindExtendedRuntime(nullptr)));
}

TEST_F(ExtendedTest, ViewsFollowTheBuild) {
  for (int bits : {32, 64}) {
    const int other = 96 - bits;
    fake::Reset();
    fake::SetBitness(bits);
    JavaSoft(other, kClassicJre, "1.8", "C:\\classic-in-other-view");
    EXPECT_EQ("C:\\classic-in-other-view", Take(FindExtendedRuntime(nullptr))) << bits;
    EXPECT_FALSE(fake::CallsStartingWith("registry HKLM[other]\\SOFTWARE\\JavaSoft\\Java "
                                         "Runtime Environment : CurrentVersion")
                     .empty());

    fake::Reset();
    fake::SetBitness(bits);
    JavaSoft(other, kModernJdk, "17", "C:\\jdk-other");
    JavaSoft(bits, kModernJdk, "21", "C:\\jdk-own");
    EXPECT_EQ("C:\\jdk-own", Take(FindExtendedRuntime(nullptr))) << bits;
  }
}

TEST_F(ExtendedTest, HighestInstalledVersionWithAPin) {
  Installed(32, kMachineRoot, kAdoptiumJdk, "11.0.2.9", "C:\\jdk11");
  Installed(32, kMachineRoot, kAdoptiumJdk, "17.0.8.7", "C:\\jdk17-8");
  Installed(32, kMachineRoot, kAdoptiumJdk, "17.0.10.7", "C:\\jdk17-10");
  Installed(32, kMachineRoot, kAdoptiumJdk, "9", "C:\\jdk9");
  Installed(32, kMachineRoot, kAdoptiumJdk, "170.1", "C:\\jdk170");
  const struct {
    const char* pin;  // null: not pinned
    const char* home;
  } cases[] = {
      {nullptr, "C:\\jdk170"}, {"17", "C:\\jdk17-10"}, {"17.0.8", "C:\\jdk17-8"},
      {"11", "C:\\jdk11"},     {"9", "C:\\jdk9"},      {"8", "<absent>"},
      {"", "<absent>"},
  };
  for (const auto& c : cases) {
    LaunchProperties properties = {};
    properties.jreVersion = const_cast<char*>(c.pin);
    EXPECT_EQ(c.home, Take(FindExtendedRuntime(&properties))) << (c.pin ? c.pin : "-");
  }
}

TEST_F(ExtendedTest, PinnedVersionOfTheModernProducts) {
  JavaSoft(32, kModernJdk, "21", "C:\\jdk21");
  JavaSoft(32, kModernJdk, "17", "C:\\jdk17", /*current=*/false);
  LaunchProperties properties = {};
  char pin[] = "17";
  properties.jreVersion = pin;
  EXPECT_EQ("C:\\jdk17", Take(FindExtendedRuntime(&properties)));
  EXPECT_EQ("C:\\jdk21", Take(FindExtendedRuntime(nullptr)));
}

TEST_F(ExtendedTest, StaleEntriesArePassedOver) {
  // A modern runtime whose home lost its files, then an installer key whose
  // highest version is stale: the next version down is used.
  fake::SetRegistryStringInView(32, kMachineRoot, kModernJre, "CurrentVersion", "11");
  fake::SetRegistryStringInView(32, kMachineRoot, std::string(kModernJre) + "\\11",
                                "JavaHome", "C:\\removed");
  Installed(32, kMachineRoot, kMicrosoftJdk, "21.0.1.12", "C:\\ms21", /*stale=*/true);
  Installed(32, kMachineRoot, kMicrosoftJdk, "17.0.9.8", "C:\\ms17");
  EXPECT_EQ("C:\\ms17", Take(FindExtendedRuntime(nullptr)));
}

TEST_F(ExtendedTest, HomesAreCheckedExpandedAndReturnedAsStored) {
  fake::SetEnvironment("LOCALAPPDATA", "C:\\Users\\me\\AppData\\Local");
  Installed(0, kUserRoot, kAdoptiumJre, "21.0.2.13", "%LOCALAPPDATA%\\jre21", true);
  fake::AddFile("C:\\Users\\me\\AppData\\Local\\jre21\\bin\\javaw.exe");
  EXPECT_EQ("%LOCALAPPDATA%\\jre21", Take(FindExtendedRuntime(nullptr)));
}

}  // namespace
