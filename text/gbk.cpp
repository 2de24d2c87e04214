#include "text/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

namespace text {
namespace {

// One iconv descriptor per direction and thread; opening one costs far more than a conversion.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok())
      iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; on an invalid or unconvertible input sequence writes `replacement` and skips
  // the length that `skip` tells for the byte at that place.
  template <typename Skip>
  std::string Run(std::string_view in, std::string_view replacement, Skip skip) {
    std::string out;
    if (!ok())
      return out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    size_t used = 0;
    while (src_left > 0) {
      char* dst = out.data() + used;
      size_t dst_left = out.size() - used;
      size_t r = iconv(cd_, &src, &src_left, &dst, &dst_left);
      used = out.size() - dst_left;
      if (r != static_cast<size_t>(-1))
        break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ or EINVAL (a truncated sequence at the end): replace one character and go on.
      if (out.size() - used < replacement.size())
        out.resize(out.size() * 2 + replacement.size());
      std::memcpy(out.data() + used, replacement.data(), replacement.size());
      used += replacement.size();
      size_t n = std::min(src_left, skip(reinterpret_cast<const unsigned char*>(src), src_left));
      src += n;
      src_left -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

size_t Utf8Length(const unsigned char* p, size_t left) {
  size_t n = 1;
  if (p[0] >= 0xF0)
    n = 4;
  else if (p[0] >= 0xE0)
    n = 3;
  else if (p[0] >= 0xC0)
    n = 2;
  // Never swallow bytes that are not continuation bytes.
  for (size_t i = 1; i < n; ++i) {
    if (i >= left || (p[i] & 0xC0) != 0x80)
      return i;
  }
  return n;
}

size_t GbkLength(const unsigned char* p, size_t left) {
  return p[0] >= 0x81 && left >= 2 ? 2 : 1;
}
// A surrogate pair is one character; the text is little-endian.
size_t Utf16Length(const unsigned char* p, size_t left) {
  return left >= 4 && (p[1] & 0xFC) == 0xD8 ? 4 : 2;
}

Converter& Get(const char* to, const char* from) {
  thread_local std::unordered_map<std::string, std::unique_ptr<Converter>> cache;
  std::string key = std::string(to) + '<' + from;
  auto& slot = cache[key];
  if (!slot)
    slot = std::make_unique<Converter>(to, from);
  return *slot;
}

std::string_view AsBytes(std::u16string_view s) {
  return {reinterpret_cast<const char*>(s.data()), s.size() * 2};
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
  return Get("GBK", "UTF-8").Run(utf8, "?", Utf8Length);
}

std::string GbkToUtf8(std::string_view gbk) {
  return Get("UTF-8", "GBK").Run(gbk, "?", GbkLength);
}

std::u16string GbkToUtf16(std::string_view gbk) {
  std::string bytes = Get("UTF-16LE", "GBK").Run(gbk, std::string_view("?\0", 2), GbkLength);
  std::u16string out(bytes.size() / 2, u'\0');
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  return Get("GBK", "UTF-16LE").Run(AsBytes(utf16), "?", Utf16Length);
}

std::string CharsetToGbk(std::string_view bytes, std::string_view charset) {
  std::string name;
  for (char c : charset)
    name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "GBK" || name == "CP936" || name == "GB2312" || name == "GB18030" ||
      name == "WINDOWS-936") {
    // Already the program's code page; GB2312 is a subset and GB18030's extra four-byte
    // characters are outside what GBK can hold.
    if (name != "GB18030")
      return std::string(bytes);
  }
  if (name.empty() || name == "UTF-8" || name == "UTF8")
    return Utf8ToGbk(bytes);
  Converter& c = Get("GBK", name.c_str());
  if (!c.ok())
    return Utf8ToGbk(bytes);
  return c.Run(bytes, "?", [](const unsigned char*, size_t) -> size_t { return 1; });
}

}  // namespace text

std::string operator""_gbk(const char* utf8, std::size_t size) {
  return text::Utf8ToGbk(std::string_view(utf8, size));
}
