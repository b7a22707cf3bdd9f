#include "runtime/gbk_codec.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>

#include <cerrno>
#endif

#include <cstdio>
#include <random>
#include <string>

namespace velmora {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

// Every two-byte code of the GBK range (lead 0x81-0xFE, trail 0x40-0x7E and 0x80-0xFE) is a
// GB18030 character and must come back byte for byte.
TEST(GbkCodecTest, EveryTwoByteGbkCodeRoundTrips) {
  int failures = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = GbkToUtf8(code);
      if (Utf8ToGbk(utf8) != code || utf8 == kReplacement || !IsValidGb18030(code)) {
        if (++failures <= 5) ADD_FAILURE() << std::hex << lead << " " << trail;
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(GbkCodecTest, KnownCharactersBothWays) {
  EXPECT_EQ(GbkToUtf8("标签选择框"),
            "\xE6\xA0\x87\xE7\xAD\xBE\xE9\x80\x89\xE6\x8B\xA9\xE6\xA1\x86");
  EXPECT_EQ(Utf8ToGbk("\xE6\xA0\x87\xE7\xAD\xBE"), "标签");
  EXPECT_EQ(GbkToUtf8("plain ASCII\r\n"), "plain ASCII\r\n");
  EXPECT_EQ(GbkToUtf8(""), "");
  EXPECT_EQ(Utf8ToGbk(""), "");
}

// Characters outside GBK keep their identity through the four-byte GB18030 forms.
TEST(GbkCodecTest, NonGbkCharactersUseFourByteForms) {
  const char* samples[] = {
      "\xF0\xA0\x80\x80",  // U+20000
      "\xF0\x9F\x98\x80",  // U+1F600
      "\xE2\x82\xAC",      // U+20AC, a single byte in code page 936 but four in GB18030
      "\xC3\xA9",          // U+00E9
  };
  for (const char* utf8 : samples) {
    const std::string gb = Utf8ToGbk(utf8);
    EXPECT_TRUE(IsValidGb18030(gb)) << utf8;
    EXPECT_EQ(GbkToUtf8(gb), utf8);
  }
  EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80").size(), 4u);
}

TEST(GbkCodecTest, InvalidGbBytesBecomeReplacementOneByteAtATime) {
  EXPECT_FALSE(IsValidGb18030("\x80"));
  EXPECT_FALSE(IsValidGb18030("a\xFF"));
  EXPECT_FALSE(IsValidGb18030("\xB1"));
  EXPECT_TRUE(IsValidGb18030("abc标签"));
  EXPECT_TRUE(IsValidGb18030(""));
  EXPECT_EQ(GbkToUtf8("a\xFF"
                      "b"),
            "a" + kReplacement + "b");
  // A truncated character at the end.
  EXPECT_EQ(GbkToUtf8("a\xB1"), "a" + kReplacement);
  // A broken four-byte form resyncs after its first byte: the digit reads as itself.
  EXPECT_EQ(GbkToUtf8("\x81\x30z"), kReplacement + "0z");
  EXPECT_EQ(GbkToUtf8("\xFF\xFF标"), kReplacement + kReplacement + "\xE6\xA0\x87");
}

TEST(GbkCodecTest, WindowsEuroByteShowsAsEuro) {
  // A Preset written by a Windows program holds the euro sign as the lone byte 0x80; it shows
  // and exports as the euro sign, while what GB18030 writes for it stays A2 E3.
  EXPECT_EQ(GbkToUtf8("\x80"
                      "100"),
            "\xE2\x82\xAC"
            "100");
  EXPECT_EQ(GbkToUtf8("\xA2\xE3"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToGbk("\xE2\x82\xAC"), "\xA2\xE3");
  // Still no character of its own for the file-name check.
  EXPECT_FALSE(IsValidGb18030("\x80"));
}

TEST(GbkCodecTest, CallbackChoosesTheStandIn) {
  const auto hex = [](unsigned char byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
    return std::string(buffer);
  };
  EXPECT_EQ(GbkToUtf8("a\x80\xFF"
                      "b",
                      hex),
            "a\\x80\\xFFb");
  EXPECT_EQ(GbkToUtf8("ok", hex), "ok");
}

TEST(GbkCodecTest, InvalidUtf8BecomesGbReplacement) {
  const std::string gb_replacement = "\x84\x31\xA4\x37";
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b"),
            "a" + gb_replacement + "b");
  EXPECT_EQ(Utf8ToGbk("\xC3"), gb_replacement);
  EXPECT_EQ(Utf8ToGbk("\xC0\xAF"), gb_replacement + gb_replacement);  // overlong "/"
  EXPECT_EQ(GbkToUtf8(gb_replacement), kReplacement);
}

TEST(GbkCodecTest, RandomBytesNeverBreakEitherDirection) {
  std::mt19937 random(20260115);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 64);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    const int n = length(random);
    for (int i = 0; i < n; ++i) bytes.push_back(static_cast<char>(byte(random)));
    const std::string utf8 = GbkToUtf8(bytes);
    // Whatever came in, the UTF-8 side is clean and its conversion back is valid GB18030.
    const std::string gb = Utf8ToGbk(utf8);
    EXPECT_TRUE(IsValidGb18030(gb));
    EXPECT_EQ(GbkToUtf8(gb), utf8);
    if (IsValidGb18030(bytes)) {
      EXPECT_EQ(gb, bytes);
    }
    // Read as UTF-8, the same bytes give valid GB18030 too.
    EXPECT_TRUE(IsValidGb18030(Utf8ToGbk(bytes)));
  }
}

TEST(GbkCodecTest, LongTextsConvertWhole) {
  std::string gb;
  for (int i = 0; i < 5000; ++i) gb += "标签\r\n";
  const std::string utf8 = GbkToUtf8(gb);
  EXPECT_EQ(utf8.size(), 5000u * 8);
  EXPECT_EQ(Utf8ToGbk(utf8), gb);
}

#ifndef _WIN32
// The codec's tables come from glibc's GB18030 converter; these tests hold the codec to that
// converter, driven as the program drove it before it had tables of its own: a byte that
// starts no valid sequence gets its stand-in and conversion resumes at the next byte.
class IconvReference {
 public:
  IconvReference(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvReference() { iconv_close(cd_); }
  IconvReference(const IconvReference&) = delete;
  IconvReference& operator=(const IconvReference&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  std::string Convert(std::string_view in, std::string_view stand_in, bool& clean) {
    std::string out;
    clean = true;
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (in_left > 0) {
      char buffer[256];
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t result = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
      out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
      if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      out.append(stand_in);
      clean = false;
      ++in_ptr;
      --in_left;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

std::string Utf8Of(char32_t code) {
  std::string out;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out = {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
  } else if (code < 0x10000) {
    out = {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
           static_cast<char>(0x80 | (code & 0x3F))};
  } else {
    out = {static_cast<char>(0xF0 | code >> 18), static_cast<char>(0x80 | (code >> 12 & 0x3F)),
           static_cast<char>(0x80 | (code >> 6 & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
  }
  return out;
}

TEST(GbkCodecTest, AgreesWithIconvOnEveryCharacterAndSequence) {
  IconvReference to_gb("GB18030", "UTF-8");
  IconvReference from_gb("UTF-8", "GB18030");
  ASSERT_TRUE(to_gb.valid() && from_gb.valid());
  const std::string gb_replacement = "\x84\x31\xA4\x37";
  int failures = 0;
  const auto check = [&](bool same, const std::string& what) {
    if (!same && ++failures <= 5) ADD_FAILURE() << what;
  };
  bool clean = true;
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    const std::string utf8 = Utf8Of(code);
    const std::string gb = Utf8ToGbk(utf8);
    check(gb == to_gb.Convert(utf8, gb_replacement, clean), "encoding U+" + std::to_string(code));
    if (clean) check(GbkToUtf8(gb) == utf8, "decoding U+" + std::to_string(code));
  }
  // Every two-byte and four-byte sequence, mapped or not.
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int second = 0x30; second <= 0xFE; ++second) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(second)};
      if (second > 0x39) {
        check(GbkToUtf8(pair) == from_gb.Convert(pair, kReplacement, clean), "pair " + pair);
        continue;
      }
      for (int third = 0x81; third <= 0xFE; ++third) {
        for (int fourth = 0x30; fourth <= 0x39; ++fourth) {
          const std::string four = pair + static_cast<char>(third) + static_cast<char>(fourth);
          const std::string expected = from_gb.Convert(four, kReplacement, clean);
          check(GbkToUtf8(four) == expected && IsValidGb18030(four) == clean, "four " + four);
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

// Random byte strings, drawn mostly from the bytes that start and continue sequences so that
// valid, truncated and broken ones all come up often.
TEST(GbkCodecTest, AgreesWithIconvOnRandomBytes) {
  IconvReference to_gb("GB18030", "UTF-8");
  IconvReference from_gb("UTF-8", "GB18030");
  ASSERT_TRUE(to_gb.valid() && from_gb.valid());
  const std::string gb_replacement = "\x84\x31\xA4\x37";
  const unsigned char interesting[] = {0x00, 0x30, 0x35, 0x39, 0x40, 0x7E, 0x7F, 0x80,
                                       0x81, 0x84, 0x90, 0xA1, 0xBF, 0xC0, 0xC2, 0xE0,
                                       0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFE, 0xFF};
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> any_byte(0, 255);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof interesting - 1);
  std::uniform_int_distribution<int> length(1, 24);
  int failures = 0;
  for (int round = 0; round < 200000; ++round) {
    std::string bytes;
    for (int n = length(random); n > 0; --n) {
      bytes.push_back(static_cast<char>(round % 2 ? any_byte(random) : interesting[pick(random)]));
    }
    bool clean = true;
    const std::string utf8 = from_gb.Convert(bytes, kReplacement, clean);
    const auto replacement = [](unsigned char) { return kReplacement; };
    bool same = GbkToUtf8(bytes, replacement) == utf8 && IsValidGb18030(bytes) == clean;
    same = same && Utf8ToGbk(bytes) == to_gb.Convert(bytes, gb_replacement, clean);
    if (!same && ++failures <= 5) ADD_FAILURE() << testing::PrintToString(bytes);
  }
  EXPECT_EQ(failures, 0);
}
#endif

}  // namespace
}  // namespace velmora
