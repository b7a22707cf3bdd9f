#include "runtime/gbk_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace velmora {

namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";
// Code page 936 gives the lone byte 0x80 the euro sign, which GB18030 writes as A2 E3: texts
// from Windows programs hold it that way.
constexpr unsigned char kCp936Euro = 0x80;
constexpr std::string_view kUtf8Euro = "\xE2\x82\xAC";
// U+FFFD in its four-byte GB18030 form.
constexpr std::string_view kGbReplacement = "\x84\x31\xA4\x37";

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (Valid()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return cd_; }

 private:
  iconv_t cd_;
};

IconvHandle& Gb18030ToUtf8Handle() {
  thread_local IconvHandle handle("UTF-8", "GB18030");
  return handle;
}

IconvHandle& Utf8ToGb18030Handle() {
  thread_local IconvHandle handle("GB18030", "UTF-8");
  return handle;
}

// Converts the whole input in one pass. A byte that starts an invalid or truncated sequence
// is handed to on_invalid, which appends its stand-in; conversion resumes at the next byte.
// Without a converter only ASCII passes. Gives true when no byte was invalid.
template <typename OnInvalid>
bool Convert(IconvHandle& handle, std::string_view in, std::string& out, OnInvalid on_invalid) {
  out.clear();
  if (!handle.Valid()) {
    bool clean = true;
    for (char c : in) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out.push_back(c);
      } else {
        on_invalid(static_cast<unsigned char>(c), out);
        clean = false;
      }
    }
    return clean;
  }

  bool clean = true;
  // iconv does not write through its input pointer; the cast only satisfies its signature.
  char* in_ptr = const_cast<char*>(in.data());
  std::size_t in_left = in.size();
  std::size_t used = 0;
  out.resize(in.size() * 2 + 16);
  iconv(handle.Get(), nullptr, nullptr, nullptr, nullptr);
  while (in_left > 0) {
    char* out_ptr = out.data() + used;
    std::size_t out_left = out.size() - used;
    const std::size_t result = iconv(handle.Get(), &in_ptr, &in_left, &out_ptr, &out_left);
    used = static_cast<std::size_t>(out_ptr - out.data());
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    out.resize(used);
    on_invalid(static_cast<unsigned char>(*in_ptr), out);
    clean = false;
    used = out.size();
    out.resize(used + in_left * 2 + 16);
    ++in_ptr;
    --in_left;
    iconv(handle.Get(), nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
  return clean;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  Convert(Gb18030ToUtf8Handle(), gbk, out, [](unsigned char byte, std::string& text) {
    text.append(byte == kCp936Euro ? kUtf8Euro : kUtf8Replacement);
  });
  return out;
}

std::string GbkToUtf8(std::string_view gbk,
                      const std::function<std::string(unsigned char)>& on_invalid_byte) {
  std::string out;
  Convert(Gb18030ToUtf8Handle(), gbk, out, [&](unsigned char byte, std::string& text) {
    text.append(on_invalid_byte ? on_invalid_byte(byte) : std::string(kUtf8Replacement));
  });
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  Convert(Utf8ToGb18030Handle(), utf8, out,
          [](unsigned char, std::string& text) { text.append(kGbReplacement); });
  return out;
}

bool IsValidGb18030(std::string_view bytes) {
  thread_local std::string scratch;
  return Convert(Gb18030ToUtf8Handle(), bytes, scratch, [](unsigned char, std::string&) {});
}

}  // namespace velmora
