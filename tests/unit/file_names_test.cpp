#include "app/file_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(FileNames, RefusesWhatNoFolderCanHoldOrWindowsWouldAlter) {
  for (const std::string& name : std::vector<std::string>{
           "", ".", "..", "a\\b", "a/b", "a:b", "a*", "a?", "\"a\"", "<a", "a>", "a|b", "a\tb",
           std::string("a\0b", 3), "a\x1F", "a\x7F", "a ", "a.", "清单 ", "清单.",
           // A byte that starts no character must not hide the backslash after it.
           "\xFF\\x", "\x80\\x", "\xC7\x7F\\x"}) {
    EXPECT_FALSE(IsUsableFileName(name)) << name;
  }
}

TEST(FileNames, RefusesWindowsDeviceNamesWithAnyExtensionOrCase) {
  for (const std::string& name : std::vector<std::string>{
           "NUL.docx", "nul.ini", "Con.备份.docx", "aux", "PRN .ini", "com1.docx", "LPT9.ini"}) {
    EXPECT_FALSE(IsUsableFileName(name)) << name;
  }
  for (const std::string& name : std::vector<std::string>{"nul1.docx", "con-1.ini", "com0.docx",
                                                          "lpt.ini", "console.docx", "a.nul"}) {
    EXPECT_TRUE(IsUsableFileName(name)) << name;
  }
}

TEST(FileNames, TakesChineseBlanksAndDotsInside) {
  // "昞" and "亅" end in the bytes of '\' and '|', which belong to the character.
  for (const std::string& name :
       std::vector<std::string>{"清单", "周 报 v1.2", ".hidden", "a..b", "昞", "亅", "-_()[]{}"}) {
    EXPECT_TRUE(IsUsableFileName(name)) << name;
  }
}

}  // namespace
}  // namespace velmora
