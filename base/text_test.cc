#include "base/text.h"

#include <stdlib.h>

#include <string>

#include "gtest/gtest.h"

TEST(TextTest, GrowsAndStaysTerminated) {
  Text text = {};
  EXPECT_STREQ("", TextString(&text));
  std::string expected;
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(TextAppendString(&text, "abc"));
    expected += "abc";
  }
  TextAppendByte(&text, '!');
  TextAppend(&text, "xyz", 2);
  expected += "!xy";
  EXPECT_EQ(expected, TextString(&text));
  EXPECT_EQ(expected.size(), text.length);

  TextClear(&text);
  EXPECT_STREQ("", TextString(&text));
  TextAppendString(&text, "again");
  EXPECT_STREQ("again", TextString(&text));
  TextFree(&text);
  EXPECT_STREQ("", TextString(&text));
}

TEST(TextTest, RefusesSizesThatWouldWrapAround) {
  Text text = {};
  TextAppendString(&text, "kept");
  EXPECT_FALSE(TextAppend(&text, "x", (size_t)-1));
  EXPECT_TRUE(text.failed);
  EXPECT_FALSE(TextAppendString(&text, "more"));  // stays failed
  TextFree(&text);
  EXPECT_FALSE(text.failed);
}

TEST(TextTest, CopiesAreTerminated) {
  char* copy = CopyBytes("abcdef", 3);
  EXPECT_STREQ("abc", copy);
  free(copy);
}

TEST(TextTest, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("MainClass", "mAINcLASS"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("Main", "MainClass"));
  // 0xC9 and 0xE9 are É and é in Windows-1252: not folded.
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC9", "\xE9"));
  EXPECT_TRUE(PrefixEqualsIgnoringAsciiCase("C:\\APP\\x.exe rest",
                                            "c:\\app\\X.EXE", 12));
  EXPECT_FALSE(PrefixEqualsIgnoringAsciiCase("C:\\A", "C:\\App", 6));
}
