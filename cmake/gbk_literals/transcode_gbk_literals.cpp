// Writes a copy of a UTF-8 C++ source in which every ordinary narrow string literal holds its
// non-ASCII characters as the GBK bytes GCC's -fexec-charset=GBK would give them, spelled as
// octal escapes. A compiler without that option (clang) then compiles the copy into the same
// bytes. GCC converts with glibc's iconv, and so does this. Everything else (comments, u8, u, U
// and L literals, identifiers) is copied unchanged, so the copy stays valid UTF-8 and no GBK
// trail byte such as 0x5C can land in the text the compiler reads.
//
// Usage: transcode_gbk_literals <source> <copy>
//        transcode_gbk_literals --unchanged <source>...   (fails when a file has such a literal)

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {
namespace {

constexpr std::string_view kExecCharset = "GBK";
constexpr std::size_t kOctalBufferSize = 5;
constexpr int kHexBase = 16;

bool IsIdentifierByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         byte >= 0x80;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// GBK bytes of UTF-8 text, or nothing when a character has none.
std::optional<std::string> ToGbk(std::string_view utf8) {
  iconv_t converter = iconv_open(std::string(kExecCharset).c_str(), "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(utf8);
  std::string out(in.size() * 2 + 4, '\0');
  char* in_at = in.data();
  std::size_t in_left = in.size();
  char* out_at = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = iconv(converter, &in_at, &in_left, &out_at, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
  out.resize(out.size() - out_left);
  return out;
}

std::string Utf8Of(unsigned long code_point) {
  std::string bytes;
  if (code_point < 0x80) {
    bytes += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    bytes += static_cast<char>(0xC0 | (code_point >> 6));
    bytes += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    bytes += static_cast<char>(0xE0 | (code_point >> 12));
    bytes += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (code_point >> 18));
    bytes += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code_point & 0x3F));
  }
  return bytes;
}

// Three-digit octal escapes: an escape of that length ends by itself, whatever follows.
std::string OctalEscapes(std::string_view bytes) {
  std::string escaped;
  for (const char c : bytes) {
    char buffer[kOctalBufferSize];
    std::snprintf(buffer, sizeof buffer, "\\%03o", static_cast<unsigned char>(c));
    escaped += buffer;
  }
  return escaped;
}

class Transcoder {
 public:
  Transcoder(std::string_view path, std::string_view text) : path_(path), text_(text) {}

  // The copy, or nothing after a message on standard error.
  std::optional<std::string> Run() {
    while (at_ < text_.size() && !failed_) Step();
    if (failed_) return std::nullopt;
    return out_;
  }

  bool changed() const { return changed_; }

 private:
  void Fail(std::string_view what) {
    std::fprintf(stderr, "%.*s:%d: %.*s\n", static_cast<int>(path_.size()), path_.data(), line_,
                 static_cast<int>(what.size()), what.data());
    failed_ = true;
  }

  char Peek(std::size_t ahead = 0) const {
    return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
  }

  void Copy(std::size_t count = 1) {
    for (std::size_t i = 0; i < count && at_ < text_.size(); ++i) {
      if (text_[at_] == '\n') ++line_;
      out_ += text_[at_++];
    }
  }

  void Step() {
    const char c = Peek();
    if (c == '/' && Peek(1) == '/') {
      CopyLineComment();
    } else if (c == '/' && Peek(1) == '*') {
      CopyBlockComment();
    } else if (IsDigit(c) || (c == '.' && IsDigit(Peek(1)))) {
      CopyNumber();
    } else if (IsIdentifierByte(c)) {
      IdentifierOrPrefixedLiteral();
    } else if (c == '"') {
      NarrowString();
    } else if (c == '\'') {
      NarrowCharacter();
    } else {
      Copy();
    }
  }

  void CopyLineComment() {
    while (at_ < text_.size() && Peek() != '\n') {
      Copy(Peek() == '\\' ? 2 : 1);
    }
  }

  void CopyBlockComment() {
    Copy(2);
    while (at_ < text_.size() && !(Peek() == '*' && Peek(1) == '/')) Copy();
    Copy(2);
  }

  // A pp-number, so that the digit separator in 1'000 opens no character literal.
  void CopyNumber() {
    Copy();
    while (at_ < text_.size()) {
      const char c = Peek();
      if ((c == 'e' || c == 'E' || c == 'p' || c == 'P') && (Peek(1) == '+' || Peek(1) == '-')) {
        Copy(2);
      } else if (c == '\'' && IsIdentifierByte(Peek(1))) {
        Copy(2);
      } else if (IsIdentifierByte(c) || c == '.') {
        Copy();
      } else {
        break;
      }
    }
  }

  void IdentifierOrPrefixedLiteral() {
    const std::size_t start = at_;
    std::size_t end = at_;
    while (end < text_.size() && IsIdentifierByte(text_[end])) ++end;
    const std::string_view word = text_.substr(start, end - start);
    const char next = end < text_.size() ? text_[end] : '\0';
    Copy(word.size());
    if (next == '"' && !word.empty() && word.back() == 'R' &&
        (word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR")) {
      RawString(word == "R");
    } else if ((next == '"' || next == '\'') &&
               (word == "u8" || word == "u" || word == "U" || word == "L")) {
      CopyQuoted(next);
    }
  }

  // A literal whose characters the execution character set does not touch.
  void CopyQuoted(char quote) {
    Copy();
    while (at_ < text_.size() && Peek() != quote && Peek() != '\n') Copy(Peek() == '\\' ? 2 : 1);
    Copy();
  }

  void RawString(bool narrow) {
    Copy();
    const std::size_t open = text_.find('(', at_);
    if (open == std::string_view::npos) return Fail("raw string literal without '('");
    const std::string closing = ")" + std::string(text_.substr(at_, open - at_)) + "\"";
    const std::size_t close = text_.find(closing, open);
    if (close == std::string_view::npos) return Fail("unterminated raw string literal");
    const std::string_view body = text_.substr(at_, close + closing.size() - at_);
    if (narrow && HasNonAscii(body)) {
      return Fail("a raw string literal holds non-ASCII text; write it as an ordinary literal");
    }
    Copy(body.size());
  }

  static bool HasNonAscii(std::string_view text) {
    for (const char c : text) {
      if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
  }

  void NarrowCharacter() {
    const std::size_t start = at_;
    CopyQuoted('\'');
    const std::string_view literal = text_.substr(start, at_ - start);
    if (HasNonAscii(literal) || literal.find("\\u") != std::string_view::npos ||
        literal.find("\\U") != std::string_view::npos) {
      Fail("a character literal holds a non-ASCII character; use a string literal");
    }
  }

  void NarrowString() {
    Copy();
    std::string pending;
    const auto flush = [this, &pending]() {
      if (pending.empty()) return true;
      const std::optional<std::string> gbk = ToGbk(pending);
      if (!gbk) {
        Fail("a string literal holds a character that GBK lacks");
        return false;
      }
      out_ += OctalEscapes(*gbk);
      pending.clear();
      changed_ = true;
      return true;
    };
    while (at_ < text_.size() && Peek() != '"') {
      const char c = Peek();
      if (c == '\n') return Fail("unterminated string literal");
      if (static_cast<unsigned char>(c) >= 0x80) {
        pending += c;
        ++at_;
      } else if (c == '\\' && (Peek(1) == 'u' || Peek(1) == 'U')) {
        const std::size_t digits = Peek(1) == 'u' ? 4 : 8;
        const std::string hex(text_.substr(at_ + 2, digits));
        if (hex.size() != digits || hex.find_first_not_of("0123456789abcdefABCDEF") != hex.npos) {
          return Fail("malformed universal character name");
        }
        pending += Utf8Of(std::stoul(hex, nullptr, kHexBase));
        at_ += 2 + digits;
      } else {
        if (!flush()) return;
        Copy(c == '\\' ? 2 : 1);
      }
    }
    if (!flush()) return;
    Copy();
  }

  std::string_view path_;
  std::string_view text_;
  std::string out_;
  std::size_t at_ = 0;
  int line_ = 1;
  bool failed_ = false;
  bool changed_ = false;
};

std::optional<std::string> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read\n", path);
    return std::nullopt;
  }
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int CheckUnchanged(int count, char** paths) {
  int status = 0;
  for (int i = 0; i < count; ++i) {
    const std::optional<std::string> text = ReadFile(paths[i]);
    if (!text) return 1;
    Transcoder transcoder(paths[i], *text);
    if (!transcoder.Run()) {
      status = 1;
    } else if (transcoder.changed()) {
      std::fprintf(stderr, "%s: a string literal holds non-ASCII text, which only sources may\n",
                   paths[i]);
      status = 1;
    }
  }
  return status;
}

int Transcode(const char* source, const char* copy) {
  const std::optional<std::string> text = ReadFile(source);
  if (!text) return 1;
  Transcoder transcoder(source, *text);
  const std::optional<std::string> out = transcoder.Run();
  if (!out) return 1;
  // The copy names its source, so that messages and __FILE__ point there.
  std::ofstream file(copy, std::ios::binary | std::ios::trunc);
  file << "#line 1 \"" << source << "\"\n" << *out;
  file.close();
  if (!file) {
    std::fprintf(stderr, "%s: cannot write\n", copy);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  if (argc >= 2 && std::string_view(argv[1]) == "--unchanged") {
    return velmora::CheckUnchanged(argc - 2, argv + 2);
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <source> <copy> | --unchanged <file>...\n", argv[0]);
    return 2;
  }
  return velmora::Transcode(argv[1], argv[2]);
}
