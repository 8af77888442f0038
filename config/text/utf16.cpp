#include "config/text/utf16.h"

#include <array>
#include <cstdint>

namespace krovan {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

// The code point that starts at `utf8[at]`, and how many bytes it takes; a malformed or
// overlong sequence, or a surrogate, is one replacement character per byte.
struct Decoded {
  char32_t code_point;
  std::size_t length;
};

Decoded DecodeAt(std::string_view utf8, std::size_t at) {
  struct Lead {
    std::uint8_t mask;
    std::uint8_t value;
    std::size_t length;
    char32_t minimum;
  };
  constexpr std::array<Lead, 4> kLeads = {{
      {0x80, 0x00, 1, 0x0},
      {0xE0, 0xC0, 2, 0x80},
      {0xF0, 0xE0, 3, 0x800},
      {0xF8, 0xF0, 4, 0x10000},
  }};
  const auto lead = static_cast<std::uint8_t>(utf8[at]);
  for (const Lead& form : kLeads) {
    if ((lead & form.mask) != form.value) {
      continue;
    }
    if (at + form.length > utf8.size()) {
      break;
    }
    char32_t code_point = lead & static_cast<std::uint8_t>(~form.mask);
    for (std::size_t i = 1; i < form.length; ++i) {
      const auto next = static_cast<std::uint8_t>(utf8[at + i]);
      if ((next & 0xC0) != 0x80) {
        return {kReplacement, 1};
      }
      code_point = (code_point << 6) | (next & 0x3F);
    }
    const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
    if (code_point < form.minimum || code_point > 0x10FFFF || surrogate) {
      break;
    }
    return {code_point, form.length};
  }
  return {kReplacement, 1};
}

}  // namespace

std::u16string Utf16(std::string_view utf8) {
  std::u16string utf16;
  utf16.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const Decoded decoded = DecodeAt(utf8, at);
    at += decoded.length;
    if (decoded.code_point < 0x10000) {
      utf16.push_back(static_cast<char16_t>(decoded.code_point));
    } else {
      const char32_t offset = decoded.code_point - 0x10000;
      utf16.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
      utf16.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    }
  }
  return utf16;
}

std::string Utf8(std::u16string_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size());
  for (std::size_t at = 0; at < utf16.size(); ++at) {
    char32_t code_point = utf16[at];
    const bool high = code_point >= 0xD800 && code_point <= 0xDBFF;
    const bool low_follows =
        at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 && utf16[at + 1] <= 0xDFFF;
    if (high && low_follows) {
      code_point = 0x10000 + ((code_point - 0xD800) << 10) + (utf16[++at] - 0xDC00);
    } else if (code_point >= 0xD800 && code_point <= 0xDFFF) {
      code_point = kReplacement;
    }
    if (code_point < 0x80) {
      utf8.push_back(static_cast<char>(code_point));
    } else if (code_point < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else if (code_point < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
      utf8.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    }
  }
  return utf8;
}

}  // namespace krovan
