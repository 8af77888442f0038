#include <charconv>
#include <string>
#include <string_view>

#include "config/settings/settings_text.h"

namespace krovan {
namespace {

using Traits = std::istream::traits_type;

constexpr std::string_view kBlanks = " \t";

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

std::optional<std::int16_t> ReadField(std::istream& in) {
  std::string field;
  for (;;) {
    const Traits::int_type c = in.get();
    if (Traits::eq_int_type(c, Traits::eof()) || c == ',' || c == '\n') {
      break;
    }
    if (c == '\r') {
      if (in.peek() == '\n') {
        in.get();
      }
      break;
    }
    if (field.size() == kMaxFieldLength) {
      return std::nullopt;
    }
    field.push_back(Traits::to_char_type(c));
  }
  return ParseNumber(field);
}

}  // namespace krovan
