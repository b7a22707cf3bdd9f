#pragma once

// The transcript that velmora-script prints: one line per event, UTF-8.

#include <ostream>
#include <string>
#include <string_view>

namespace velmora {

// A GBK text in double quotes, escaped as a script writes it (\r \n \t \" \\), other control
// characters and bytes that are not valid GB18030 as \xHH, everything else as UTF-8.
std::string QuoteText(std::string_view gbk);
// A GBK name as plain UTF-8 (invalid bytes as \xHH).
std::string PlainText(std::string_view gbk);

class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}
  void Line(std::string_view utf8);
  void Flush() { out_.flush(); }

 private:
  std::ostream& out_;
};

}  // namespace velmora
