#include <charconv>
#include <string_view>

#include "config/settings/settings_text.h"

namespace krovan {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kTerminators = ",\r\n";

// Parses an optionally signed decimal number that fills `text` exactly, blanks around it aside.
std::optional<std::int16_t> ParseNumber(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return std::nullopt;
  }
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  // std::from_chars takes a minus sign but no plus sign; a plus may not precede a minus.
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) {
      return std::nullopt;
    }
  }
  std::int16_t value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::int16_t> FieldReader::Next() {
  const std::size_t length = rest_.substr(0, kMaxFieldLength + 1).find_first_of(kTerminators);
  if (length == std::string_view::npos && rest_.size() > kMaxFieldLength) {
    rest_ = {};
    return std::nullopt;
  }
  const std::string_view field = rest_.substr(0, length);
  if (length == std::string_view::npos) {
    rest_ = {};
  } else {
    // CR LF is one line end; a CR alone is one too.
    const bool cr_lf = rest_.substr(length, 2) == "\r\n";
    rest_.remove_prefix(length + (cr_lf ? 2 : 1));
  }
  return ParseNumber(field);
}

}  // namespace krovan
