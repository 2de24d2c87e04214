// The values that cross the web request and script wrappers where the original components took or
// gave any kind of value: nothing, a flag, an integer, a number, a text (GBK) or bytes.
#pragma once

#include <string>
#include <variant>

namespace web {

// Bytes as such, kept apart from a text so that no conversion touches them.
struct ByteArray {
  std::string bytes;
  bool operator==(const ByteArray&) const = default;
};

using Variant = std::variant<std::monostate, bool, int, double, std::string, ByteArray>;

}  // namespace web
