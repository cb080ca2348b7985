#include <stdlib.h>

#include <string>

#include "gtest/gtest.h"
#include "launch/launch.h"
#include "runtime/runtime.h"
#include "tests/fake_platform.h"

namespace {

const char kJreKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kJdkKey[] = "SOFTWARE\\JavaSoft\\Java Development Kit";
const char kJre[] = "Java Runtime Environment";
const char kJdk[] = "Java Development Kit";

// Takes ownership of a heap result and turns it into something comparable.
std::string Take(char* result) {
  std::string text = result ? result : "<absent>";
  free(result);
  return text;
}

class LocatorTest : public testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }

  static void Register(const std::string& key, const std::string& version,
                       const std::string& home) {
    fake::SetRegistryString(kMachineRoot, key + "\\" + version, "JavaHome", home);
  }
};

TEST_F(LocatorTest, PrivateRuntimeCandidatesInOrder) {
  fake::AddFile("C:\\App\\resource\\jre\\bin\\javaw.exe");
  EXPECT_EQ("C:\\App\\resource\\jre", Take(FindPrivateRuntime("C:\\App")));
  fake::AddFile("C:\\App\\jre\\bin\\javaw.exe");
  EXPECT_EQ("C:\\App\\jre", Take(FindPrivateRuntime("C:\\App")));
  EXPECT_TRUE(fake::CallsStartingWith("registry").empty());
}

TEST_F(LocatorTest, PrivateRuntimeNeedsJavawAsAFile) {
  fake::AddFile("C:\\App\\jre\\bin\\java.exe");
  fake::AddDirectory("C:\\App\\resource\\jre\\bin\\javaw.exe");
  EXPECT_EQ("<absent>", Take(FindPrivateRuntime("C:\\App")));
  EXPECT_EQ((std::vector<std::string>{
                "open C:\\App\\jre\\bin\\javaw.exe",
                "open C:\\App\\resource\\jre\\bin\\javaw.exe"}),
            fake::Calls());
}

TEST_F(LocatorTest, PrivateRuntimeStaysRelative) {
  fake::SetCurrentDirectory("C:\\Work");
  fake::AddFile("C:\\Work\\resource\\jre\\bin\\javaw.exe");
  EXPECT_EQ(".\\resource\\jre", Take(FindPrivateRuntime(".")));
}

TEST_F(LocatorTest, RegisteredRuntimeFollowsCurrentVersion) {
  fake::SetRegistryString(kMachineRoot, kJreKey, "CurrentVersion", "1.3");
  Register(kJreKey, "1.3", "C:\\Program Files\\JavaSoft\\JRE\\1.3");
  Register(kJreKey, "1.4", "C:\\elsewhere");
  EXPECT_EQ("C:\\Program Files\\JavaSoft\\JRE\\1.3",
            Take(FindRegisteredRuntime(kJre, nullptr)));
  EXPECT_EQ((std::vector<std::string>{
                std::string("registry HKLM\\") + kJreKey + " : CurrentVersion",
                std::string("registry HKLM\\") + kJreKey + "\\1.3 : JavaHome"}),
            fake::Calls());
}

TEST_F(LocatorTest, RegisteredHomeIsReturnedUnexpanded) {
  fake::SetEnvironment("ProgramFiles", "C:\\Program Files");
  fake::SetRegistryString(kMachineRoot, kJdkKey, "CurrentVersion", "1.8");
  Register(kJdkKey, "1.8", "%ProgramFiles%\\Java\\jdk");
  EXPECT_EQ("%ProgramFiles%\\Java\\jdk", Take(FindRegisteredRuntime(kJdk, nullptr)));
}

TEST_F(LocatorTest, MissingPiecesGiveNothing) {
  EXPECT_EQ("<absent>", Take(FindRegisteredRuntime(kJre, nullptr)));
  fake::SetRegistryString(kMachineRoot, kJreKey, "CurrentVersion", "1.6");
  EXPECT_EQ("<absent>", Take(FindRegisteredRuntime(kJre, nullptr)));
  fake::SetRegistryString(kMachineRoot, std::string(kJreKey) + "\\1.6", "Other", "x");
  EXPECT_EQ("<absent>", Take(FindRegisteredRuntime(kJre, nullptr)));
}

TEST_F(LocatorTest, PinnedVersionNeverFallsBackToCurrentVersion) {
  fake::SetRegistryString(kMachineRoot, kJreKey, "CurrentVersion", "1.6");
  Register(kJreKey, "1.6", "C:\\jre16");
  fake::SetRegistryString(kMachineRoot, kJdkKey, "CurrentVersion", "1.6");
  Register(kJdkKey, "1.4", "C:\\jdk14");

  LaunchProperties properties = {};
  char pinned[] = "1.4";
  properties.jreVersion = pinned;
  EXPECT_EQ("<absent>", Take(FindRegisteredRuntime(kJre, &properties)));
  EXPECT_EQ("C:\\jdk14", Take(FindRegisteredRuntime(kJdk, &properties)));
  EXPECT_TRUE(fake::CallsStartingWith("registry HKLM\\" + std::string(kJreKey) +
                                      " : CurrentVersion")
                  .empty());

  char unregistered[] = "9.9";
  properties.jreVersion = unregistered;
  EXPECT_EQ("<absent>", Take(FindRegisteredRuntime(kJre, &properties)));
  EXPECT_EQ("<absent>", Take(FindRegisteredRuntime(kJdk, &properties)));

  // An empty pin is used as written: the key then ends in a backslash.
  char empty[] = "";
  properties.jreVersion = empty;
  EXPECT_EQ("<absent>", Take(FindRegisteredRuntime(kJre, &properties)));
  EXPECT_EQ("registry HKLM\\" + std::string(kJreKey) + "\\ : JavaHome",
            fake::Calls().back());

  // Properties without a pin leave the current version in charge.
  properties.jreVersion = nullptr;
  EXPECT_EQ("C:\\jre16", Take(FindRegisteredRuntime(kJre, &properties)));
}

TEST_F(LocatorTest, RegistryValuesLongerThanTheBufferAreAbsent) {
  const char kKey[] = "SOFTWARE\\Test";
  fake::SetRegistryString(kMachineRoot, kKey, "Fits", std::string(1023, 'a'));
  fake::SetRegistryString(kMachineRoot, kKey, "TooLong", std::string(1024, 'b'));
  fake::SetRegistryBytes(kMachineRoot, kKey, "Unterminated", std::string(1024, 'c'));
  fake::SetRegistryBytes(kMachineRoot, kKey, "Binary", std::string("ab\0cd", 5));
  fake::SetRegistryBytes(kMachineRoot, kKey, "Empty", "");
  EXPECT_EQ(std::string(1023, 'a'), Take(ReadMachineString(kKey, "Fits")));
  EXPECT_EQ("<absent>", Take(ReadMachineString(kKey, "TooLong")));
  EXPECT_EQ(std::string(1024, 'c'), Take(ReadMachineString(kKey, "Unterminated")));
  EXPECT_EQ("ab", Take(ReadMachineString(kKey, "Binary")));
  EXPECT_EQ("", Take(ReadMachineString(kKey, "Empty")));
  EXPECT_EQ("<absent>", Take(ReadMachineString(kKey, "Missing")));
  EXPECT_EQ("<absent>", Take(ReadMachineString("SOFTWARE\\Nothing", "Fits")));
}

TEST_F(LocatorTest, RegistryRootsAreSeparate) {
  fake::SetRegistryString(kUserRoot, "Control Panel\\International", "iCountry", "33");
  EXPECT_EQ("33", Take(ReadRegistryString(kUserRoot, "Control Panel\\International",
                                          "iCountry")));
  EXPECT_EQ("<absent>",
            Take(ReadMachineString("Control Panel\\International", "iCountry")));
}

}  // namespace
