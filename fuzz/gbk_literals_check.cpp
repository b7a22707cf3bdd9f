// Narrow literals with Chinese text hold the GBK bytes that GCC's -fexec-charset=GBK gives
// them, whichever compiler built this: each literal below is compared with its bytes written as
// escapes, which no execution character set changes. The fuzz build compiles the project with
// clang from copies whose literals were converted beforehand; this is where it shows that the
// copies hold what GCC compiles. Characters whose second byte is '\', '{', '}', '@', '`' or '~'
// are the ones a byte-for-byte copy of GBK source text would get wrong.

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace {

struct Case {
  std::string_view literal;
  std::string_view bytes;
};

// It's "quoted" here, and 1'000 below is a number: neither opens a literal.
constexpr std::size_t kThousand = 1'000;

constexpr Case kCases[] = {
    {"[组合框]", "\x5b\xd7\xe9\xba\xcf\xbf\xf2\x5d"},
    {"预设组合框=甲<|>0<||>0<|>甲",
     "\xd4\xa4\xc9\xe8\xd7\xe9\xba\xcf\xbf\xf2\x3d\xbc\xd7\x3c\x7c\x3e\x30\x3c\x7c\x7c\x3e\x30"
     "\x3c\x7c\x3e\xbc\xd7"},
    {"保存成功", "\xb1\xa3\xb4\xe6\xb3\xc9\xb9\xa6"},
    {"导出失败：文档“周报.docx”未能保存，没有导出任何文档！",
     "\xb5\xbc\xb3\xf6\xca\xa7\xb0\xdc\xa3\xba\xce\xc4\xb5\xb5\xa1\xb0\xd6\xdc\xb1\xa8\x2e\x64"
     "\x6f\x63\x78\xa1\xb1\xce\xb4\xc4\xdc\xb1\xa3\xb4\xe6\xa3\xac\xc3\xbb\xd3\xd0\xb5\xbc\xb3"
     "\xf6\xc8\xce\xba\xce\xce\xc4\xb5\xb5\xa3\xa1"},
    {"·—…", "\xa1\xa4\xa1\xaa\xa1\xad"},
    {"乗n", "\x81\x5c\x6e"},
    {"乗", "\x81\x5c"},
    {"亄亇丂乣亊", "\x81\x7b\x81\x7d\x81\x40\x81\x60\x81\x7e"},
    {"中7", "\xd6\xd0\x37"},
    {"中abc", "\xd6\xd0\x61\x62\x63"},
    {"a\\中", "\x61\x5c\xd6\xd0"},
    {"\x41中\n", "\x41\xd6\xd0\x0a"},
    {"\u4e2d\U00006587", "\xd6\xd0\xce\xc4"},
    {"中"
     "文",
     "\xd6\xd0\xce\xc4"},
};

}  // namespace

int main() {
  int failures = 0;
  for (const Case& check : kCases) {
    if (check.literal == check.bytes) continue;
    std::printf("literal %d:", static_cast<int>(&check - kCases));
    for (const char c : check.literal) std::printf(" %02x", static_cast<unsigned char>(c));
    std::printf("\n");
    ++failures;
  }
  // UTF-8 literals keep their UTF-8 bytes.
  constexpr char8_t kUtf8[] = u8"中";
  if (std::u8string_view(kUtf8) != std::u8string_view(u8"\xe4\xb8\xad")) {
    std::printf("a UTF-8 literal changed\n");
    ++failures;
  }
  if (kThousand != 1000) ++failures;
  return failures == 0 ? 0 : 1;
}
