#include "runtime/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(NameIndexTest, FoldsAsciiLettersOnlyOutsideGbkCharacters) {
  EXPECT_TRUE(FoldedNamesEqual("Key1", "kEY1"));
  EXPECT_TRUE(FoldedNamesEqual("标签Abc", "标签aBC"));
  EXPECT_FALSE(
      FoldedNamesEqual("\xB0"
                       "A",
                       "\xB0"
                       "a"));
  EXPECT_FALSE(FoldedNamesEqual("[", "{"));  // 0x5B and 0x7B differ by the case bit too
  EXPECT_FALSE(FoldedNamesEqual("@", "`"));
  EXPECT_FALSE(FoldedNamesEqual("key", "key "));
  EXPECT_EQ(FoldedNameHash("SomeLongKeyName_WithDigits123"),
            FoldedNameHash("somelongkeyname_withdigits123"));
}

// Enough names to grow the table several times; every one is found under any spelling of its
// ASCII letters, and a second insert keeps the first value.
TEST(NameIndexTest, FirstValueOfEachNameSurvivesGrowth) {
  std::vector<std::string> names;
  for (int n = 0; n < 1000; ++n) names.push_back("标签Key" + std::to_string(n));
  NameIndex<int> index;
  for (int n = 0; n < 1000; ++n) {
    const auto [value, inserted] = index.Insert(names[n], n);
    ASSERT_TRUE(inserted);
    ASSERT_EQ(*value, n);
  }
  for (int n = 0; n < 1000; ++n) {
    std::string shouted = names[n];
    for (char& c : shouted) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    const auto [value, inserted] = index.Insert(shouted, -1);
    EXPECT_FALSE(inserted);
    EXPECT_EQ(*value, n);
    const int* found = index.Find(shouted);
    ASSERT_NE(found, nullptr) << n;
    EXPECT_EQ(*found, n);
  }
  EXPECT_EQ(index.Find("标签Key1000"), nullptr);
  EXPECT_EQ(NameIndex<int>().Find("x"), nullptr);
}

}  // namespace
}  // namespace velmora
