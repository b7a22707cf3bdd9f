#include "ui/combo_state.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

ComboState ThreeEntries() {
  ComboState combo;
  combo.Add("one");
  combo.Add("two", 7);
  combo.Add("three");
  return combo;
}

TEST(ComboStateTest, SelectionClampsIntoTheList) {
  ComboState combo = ThreeEntries();
  combo.SetSelection(1);
  EXPECT_EQ(combo.Selection(), 1);
  EXPECT_EQ(combo.Text(), "two");
  combo.SetSelection(99);
  EXPECT_EQ(combo.Selection(), 2);
  combo.SetSelection(-5);
  EXPECT_EQ(combo.Selection(), -1);
  EXPECT_EQ(combo.Text(), "");

  ComboState empty;
  empty.SetSelection(0);
  EXPECT_EQ(empty.Selection(), -1);
  empty.SetSelection(3);
  EXPECT_EQ(empty.Selection(), -1);
}

TEST(ComboStateTest, DeleteKeepsTheSelectedEntryOrDropsIt) {
  ComboState combo = ThreeEntries();
  combo.SetSelection(2);
  EXPECT_TRUE(combo.Delete(0));
  EXPECT_EQ(combo.Selection(), 1);
  EXPECT_EQ(combo.Text(), "three");
  EXPECT_TRUE(combo.Delete(1));
  EXPECT_EQ(combo.Selection(), -1);
  EXPECT_EQ(combo.Count(), 1);
  EXPECT_FALSE(combo.Delete(1));
  EXPECT_FALSE(combo.Delete(-1));

  combo = ThreeEntries();
  combo.SetSelection(0);
  EXPECT_TRUE(combo.Delete(2));
  EXPECT_EQ(combo.Selection(), 0);
  combo.Clear();
  EXPECT_EQ(combo.Count(), 0);
  EXPECT_EQ(combo.Selection(), -1);
}

TEST(ComboStateTest, EntriesAndLookups) {
  ComboState combo = ThreeEntries();
  EXPECT_EQ(combo.Add("two"), 3);
  EXPECT_EQ(combo.EntryValue(1), 7);
  EXPECT_EQ(combo.EntryValue(3), 0);
  EXPECT_EQ(combo.EntryValue(4), -1);
  EXPECT_EQ(combo.EntryText(-1), "");
  EXPECT_EQ(combo.Find("two"), 1);
  EXPECT_EQ(combo.Find("TWO"), -1);
  EXPECT_EQ(combo.Find("tw"), -1);
  combo.SetSelection(0);
  EXPECT_EQ(combo.Text(), "one");
}

}  // namespace
}  // namespace velmora
