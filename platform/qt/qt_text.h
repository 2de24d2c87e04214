// GBK texts to and from Qt's UTF-16 strings, at the edge of the front end.
#pragma once

#include <QString>

#include <string>

#include "text/gbk.h"

namespace qt {

inline QString ToQString(const std::string& gbk) {
  std::u16string utf16 = text::GbkToUtf16(gbk);
  return QString(reinterpret_cast<const QChar*>(utf16.data()),
                 static_cast<qsizetype>(utf16.size()));
}

inline std::string FromQString(const QString& s) {
  return text::Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                              static_cast<size_t>(s.size())));
}

}  // namespace qt
