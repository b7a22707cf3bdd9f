#pragma once

// Byte-exact operations on GBK texts. Lengths and positions count bytes; positions are 1-based.
// The scanning operations walk characters by one rule: a byte of 0x80 or above starts a
// two-byte character. None of them fails: arguments out of range are brought into range and a
// search that finds nothing gives -1.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

int TextLength(std::string_view text);
// n <= 0 gives the empty text, n >= length the whole text; may cut a two-byte character.
std::string TextLeft(std::string_view text, int n);
std::string TextRight(std::string_view text, int n);

int FindText(std::string_view text, std::string_view sought, int start = 1,
             bool ignore_case = false);
// end_limit: a match must lie wholly within the first end_limit - 1 bytes; none: whole text.
int FindTextLast(std::string_view text, std::string_view sought,
                 std::optional<int> end_limit = std::nullopt, bool ignore_case = false);
// count < 0 means all occurrences, 0 none.
std::string ReplaceText(std::string_view text, std::string_view sought,
                        std::string_view replacement = {}, int start = 1, int count = -1,
                        bool case_sensitive = true);
std::vector<std::string> SplitText(std::string_view text, std::string_view separator = ",",
                                   std::optional<int> max_count = std::nullopt);

// 0 when equal, else negative or positive by the first differing byte (unsigned).
int TextEquals(std::string_view a, std::string_view b);
std::string ConcatText(std::initializer_list<std::string_view> parts);

// Full-width forms fold to ASCII first; then, after white space, a sign, digits with a decimal
// point and an exponent are read, correctly rounded, the same on every platform and in every
// locale. No number gives 0; "inf", "nan" and hexadecimal forms read as 0 (the "0" of "0x10"),
// as the C runtime of the original platform read them. Too large gives infinity.
double ToNumber(std::string_view text);
// Truncation toward zero as the logic takes an integer from a number; values beyond the int
// range saturate and NaN gives 0, so no input is undefined.
int TruncateToInt(double value);
std::string ToText(int value);     // "%d"
std::string ToText(double value);  // "%.13g"
std::string ToText(bool value);    // "真" or "假"

// The number carried by a mark: drop its first two bytes, ToNumber, truncate toward zero.
int NumberFromMark(std::string_view mark);

}  // namespace velmora
