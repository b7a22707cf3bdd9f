#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/stored_text.h"
#include "runtime/gbk_codec.h"
#include "runtime/profile_store.h"
#include "runtime/text_ops.h"
#include "temp_folder.h"

namespace velmora {
namespace {

using testing::TempFolder;

// Pieces that form no marker across their seams. "#", "引" and "号" can still spell one; such
// texts are skipped, as the encoding cannot give them back.
std::vector<std::string> Pieces() {
  return {"a",
          "Z",
          " ",
          "  ",
          "\t",
          "\r\n",
          "\r",
          "\n",
          "\"",
          "'",
          "=",
          "[",
          "]",
          ";",
          "<",
          ">",
          "#",
          "标签",
          "引",
          "号",
          "\x81\x5C",
          "\xB0"
          "A",
          Utf8ToGbk("\xF0\x9F\x98\x80"),   // U+1F600
          Utf8ToGbk("\xC3\xA9"),           // U+00E9
          Utf8ToGbk("\xE2\x82\xAC"),       // U+20AC
          Utf8ToGbk("\xF0\xA0\x80\x80")};  // U+20000
}

bool HoldsMarker(const std::string& text) {
  return text.find("><br><") != std::string::npos || text.find("#引号") != std::string::npos;
}

// What reading gives back: every lone CR or LF was stored as a line break.
std::string WithCrLfLineEnds(const std::string& text) {
  std::string expected;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      expected += "\r\n";
    } else {
      expected += text[i];
    }
  }
  return expected;
}

struct Stored {
  std::string section;
  std::string key;
  std::string text;
};

TEST(ProfileRoundTripTest, RandomTextsComeBackThroughTheFile) {
  const TempFolder folder;
  ASSERT_FALSE(folder.path().empty());
  const std::vector<std::string> pieces = Pieces();
  std::mt19937 random(20260115);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 40);
  std::bernoulli_distribution blank_end(0.25);
  const auto random_text = [&] {
    std::string text;
    if (blank_end(random)) text += " ";
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    if (blank_end(random)) text += "\t";
    return text;
  };

  int checked = 0;
  for (int file_number = 0; file_number < 30; ++file_number) {
    const std::string file = folder.path() + "\\预设" + ToText(file_number) + ".ini";
    // Two rounds per file: the second rewrites the keys of the first in place.
    for (int round = 0; round < 2; ++round) {
      std::vector<Stored> stored;
      std::vector<ProfileWrite> writes;
      for (int n = 1; n <= 60; ++n) {
        std::string text = random_text();
        if (HoldsMarker(text)) continue;
        const std::string section = n % 3 == 0 ? "选择框" : "编辑框";
        const std::string key = "标签内容编辑框" + ToText(n);
        writes.push_back({section, key, EncodeStoredText(text)});
        stored.push_back({section, key, std::move(text)});
      }
      ASSERT_TRUE(WriteProfileTexts(file, writes));
      const ProfileSnapshot snapshot = ProfileSnapshot::Load(file);
      for (const Stored& entry : stored) {
        const std::string value = ReadProfileText(file, entry.section, entry.key, "<missing>");
        ASSERT_EQ(snapshot.Read(entry.section, entry.key, "<missing>"), value);
        ASSERT_EQ(DecodeStoredText(value), WithCrLfLineEnds(entry.text))
            << "file " << file_number << " key " << entry.key;
        ++checked;
      }
    }
  }
  // Enough texts get through the marker filter to mean something.
  EXPECT_GT(checked, 3000);
}

}  // namespace
}  // namespace velmora
