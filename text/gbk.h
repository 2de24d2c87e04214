// Conversions between the program's texts, byte strings in the GBK code page (936), and the
// encodings met at the edges: UTF-8 (source literals, Qt, HTTP answers), UTF-16 (Qt) and the
// charsets that HTTP answers name. A character that GBK cannot hold becomes "?", and so does a
// byte sequence that is not valid in the encoding read.
#pragma once

#include <string>
#include <string_view>

namespace text {

std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);

// Decodes bytes written in `charset` (an IANA name as in a Content-Type, any case) into GBK.
// An empty or unknown charset is read as UTF-8.
std::string CharsetToGbk(std::string_view bytes, std::string_view charset);

}  // namespace text

// "豆瓣精选"_gbk: a literal written readably in the UTF-8 source, as a GBK text.
std::string operator""_gbk(const char* utf8, std::size_t size);
