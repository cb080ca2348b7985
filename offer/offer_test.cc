#include "offer/offer.h"

#include <string>

#include "gtest/gtest.h"
#include "launch/launch.h"
#include "tests/fake_platform.h"

namespace {

const char kCaption[] = "Java Runtime Environment (JRE)";
const char kEnglish[] = "Java isn't installed !\n\nDo you want install it ?";
const char kFrench[] = "Java n'est pas install\xE9 !\n\nVoulez-vous l'installer ?";
const char kBrowserKey[] = "SOFTWARE\\Microsoft\\IE Setup\\Setup";
const char kPage[] = "http://www.java.com/j2se/downloads.html";

class OfferTest : public testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    fake::SetCurrentDirectory("C:\\Users\\me");
  }
};

TEST_F(OfferTest, FrenchOnlyForCountryCode33) {
  const struct {
    const char* country;  // null: no setting
    const char* text;
  } cases[] = {
      {"33", kFrench}, {"033", kEnglish}, {"32", kEnglish}, {"41", kEnglish},
      {"33 ", kEnglish}, {"", kEnglish}, {nullptr, kEnglish},
  };
  for (const auto& c : cases) {
    fake::Reset();
    if (c.country) {
      fake::SetRegistryString(kUserRoot, "Control Panel\\International", "iCountry",
                              c.country);
    }
    fake::SetAnswer(kAnsweredNo);
    EXPECT_FALSE(AskToInstallRuntime());
    ASSERT_EQ(1u, fake::Questions().size());
    EXPECT_EQ(std::string(kCaption) + "|" + c.text, fake::Questions()[0])
        << (c.country ? c.country : "(none)");
  }
}

TEST_F(OfferTest, OnlyYesCountsAsYes) {
  fake::SetRegistryString(kMachineRoot, kBrowserKey, "Path", "C:\\IE");
  fake::AddFile("C:\\IE\\iexplore.exe");
  for (QuestionAnswer answer : {kAnsweredNo, kNotAsked}) {
    fake::SetAnswer(answer);
    EXPECT_EQ(0, OfferRuntimeDownload());
    EXPECT_TRUE(fake::Starts().empty());
    EXPECT_TRUE(fake::CallsStartingWith("registry HKLM").empty());
  }
}

TEST_F(OfferTest, YesStartsTheBrowserOnTheDownloadPage) {
  fake::SetEnvironment("ProgramFiles", "C:\\Program Files");
  const struct {
    const char* path_value;
    const char* browser;
  } cases[] = {
      {"C:\\Program Files\\Internet Explorer",
       "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
      {"C:\\Program Files\\Internet Explorer\\",
       "C:\\Program Files\\Internet Explorer\\\\iexplore.exe"},
      {"%ProgramFiles%\\Internet Explorer",
       "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
  };
  for (const auto& c : cases) {
    fake::Reset();
    fake::SetEnvironment("ProgramFiles", "C:\\Program Files");
    fake::SetCurrentDirectory("C:\\Users\\me");
    fake::AddFile("C:\\Program Files\\Internet Explorer\\iexplore.exe");
    fake::SetRegistryString(kMachineRoot, kBrowserKey, "Path", c.path_value);
    fake::SetAnswer(kAnsweredYes);
    EXPECT_EQ(0, OfferRuntimeDownload()) << c.path_value;
    ASSERT_EQ(1u, fake::Starts().size()) << c.path_value;
    EXPECT_EQ(c.browser, fake::Starts()[0].program_file);
    EXPECT_EQ(std::string("iexplore ") + kPage, fake::Starts()[0].command_line);
    EXPECT_EQ("C:\\Users\\me", fake::Starts()[0].directory);
    EXPECT_TRUE(fake::CallsStartingWith("chdir").empty());
    EXPECT_EQ(0, fake::ExitStatus());
  }
}

TEST_F(OfferTest, YesWithoutABrowser) {
  fake::SetAnswer(kAnsweredYes);
  // No "Path": nothing more happens.
  EXPECT_EQ(0, OfferRuntimeDownload());
  EXPECT_TRUE(fake::CallsStartingWith("start").empty());
  EXPECT_EQ(1u, fake::Questions().size());

  // A registered folder without the browser, or a browser that cannot start.
  fake::SetRegistryString(kMachineRoot, kBrowserKey, "Path", "C:\\IE");
  EXPECT_EQ(-1, OfferRuntimeDownload());
  fake::AddFile("C:\\IE\\iexplore.exe");
  fake::FailProcessStarts();
  EXPECT_EQ(-1, OfferRuntimeDownload());
  EXPECT_EQ(fake::kNoExit, fake::ExitStatus());
  EXPECT_EQ(3u, fake::Questions().size());  // once per offer, never a second box
}

TEST_F(OfferTest, AskedOnlyAfterEverySourceCameBackEmpty) {
  fake::SetAnswer(kAnsweredNo);
  fake::AddDirectory("C:\\App");
  fake::SetCommandLine("\"C:\\App\\Tool.exe\"");
  fake::SetExecutablePath("C:\\App\\Tool.exe");
  EXPECT_EQ(0, LauncherEntry());
  const std::vector<std::string>& calls = fake::Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(std::string("ask ") + kCaption, calls.back());
  // The last runtime source is the user's own OpenJDK installs.
  EXPECT_EQ("subkeys HKCU\\SOFTWARE\\Microsoft\\JDK", calls[calls.size() - 3]);

  // A stale registered home ends the launch with -1, without asking.
  fake::Reset();
  fake::SetAnswer(kAnsweredNo);
  fake::SetCommandLine("\"C:\\App\\Tool.exe\"");
  fake::SetRegistryString(kMachineRoot, "SOFTWARE\\JavaSoft\\Java Runtime Environment",
                          "CurrentVersion", "1.6");
  fake::SetRegistryString(kMachineRoot,
                          "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.6",
                          "JavaHome", "C:\\Gone");
  EXPECT_EQ(-1, LauncherEntry());
  EXPECT_TRUE(fake::Questions().empty());
}

}  // namespace
