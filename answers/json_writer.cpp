// The JSON writer: strings escaped byte by byte, numbers in their shortest round-trip form.
#include "json_writer.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::string_view REPLACEMENT = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Whether byte `b` may follow `lead` as the second byte of a UTF-8 sequence: the ranges that
// exclude overlong forms, surrogates and code points above U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char b) {
  if (lead == 0xE0) return b >= 0xA0 && b <= 0xBF;
  if (lead == 0xED) return b >= 0x80 && b <= 0x9F;
  if (lead == 0xF0) return b >= 0x90 && b <= 0xBF;
  if (lead == 0xF4) return b >= 0x80 && b <= 0x8F;
  return b >= 0x80 && b <= 0xBF;
}

// The length of the sequence that `lead` starts, or 0 when it starts none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

void AppendEscapedAscii(std::string& out, unsigned char c) {
  switch (c) {
    case '\b':
      out += "\\b";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\r':
      out += "\\r";
      return;
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    default:
      break;
  }
  if (c < 0x20) {
    static constexpr char HEX[] = "0123456789abcdef";
    out += "\\u00";
    out += HEX[c >> 4];
    out += HEX[c & 15];
  } else {
    out += static_cast<char>(c);
  }
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  if (PlainJsonLength(text) == text.size()) return AppendJsonStringBetween(out, {}, text, {});
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    // Plain stretches, most texts whole, are copied in one go.
    const std::size_t plain = i + PlainJsonLength(text.substr(i));
    out.append(text.data() + i, plain - i);
    i = plain;
    if (i == text.size()) break;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      AppendEscapedAscii(out, lead);
      ++i;
      continue;
    }
    // A sequence is copied when it is whole and well formed. A broken one becomes one U+FFFD;
    // the byte that broke it is read again as a start of its own, since it may be one.
    const std::size_t length = SequenceLength(lead);
    std::size_t taken = length == 0 ? 0 : 1;
    while (taken > 0 && taken < length && i + taken < text.size()) {
      const auto next = static_cast<unsigned char>(text[i + taken]);
      const bool fits = taken == 1 ? SecondByteFits(lead, next) : next >= 0x80 && next <= 0xBF;
      if (!fits) break;
      ++taken;
    }
    if (length != 0 && taken == length) {
      out.append(text.data() + i, length);
      i += length;
    } else {
      out += REPLACEMENT;
      i += taken == 0 ? 1 : taken;
    }
  }
  out += '"';
}

void AppendJsonStringBetween(std::string& out, std::string_view before, std::string_view text,
                             std::string_view after) {
  if (PlainJsonLength(text) != text.size()) {
    out.append(before);
    AppendJsonString(out, text);
    out.append(after);
    return;
  }
  // One growth of `out` and plain copies, rather than three appends that each check the
  // string's room: an answer has over a hundred pieces.
  const std::size_t at = out.size();
  out.resize(at + before.size() + text.size() + after.size() + 2);
  char* next = out.data() + at;
  const auto copy = [&next](std::string_view piece) {
    if (!piece.empty()) std::memcpy(next, piece.data(), piece.size());
    next += piece.size();
  };
  copy(before);
  *next++ = '"';
  copy(text);
  *next++ = '"';
  copy(after);
}

// fmt's Dragonbox gives the fewest digits that read back as the same double; they are laid out
// as every answer writes numbers: plainly when the decimal point falls from 3 zeros before the
// first digit to 15 digits after it, whole numbers with ".0", otherwise as d.ddde+XX with at
// least two exponent digits.
void AppendJsonNumber(std::string& out, double value) { AppendJsonNumberDigits(out, value, 0); }

// With fewer digits asked, the shortest digits are rounded, half up, as decimal digits: the
// same on every build, and within a unit of the last digit kept of the exact value. Dragonbox
// alone, not fmt's writer, whose digit grouping brought the C++ library's locales into the
// page's engine (150 KB) once this function grew, and formatting to a precision more.
void AppendJsonNumberDigits(std::string& out, double value, int significant) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  if (std::signbit(value)) out += '-';
  const auto decimal = fmt::detail::dragonbox::to_decimal(std::fabs(value));
  // The digits, and where the decimal point falls among them: value = 0.DIGITS x 10^point.
  char digits[24];
  int count = 0;
  for (auto rest = decimal.significand; count == 0 || rest != 0; rest /= 10)
    digits[count++] = static_cast<char>('0' + rest % 10);
  std::reverse(digits, digits + count);
  int point = count + decimal.exponent;
  int first = 0;
  while (first < count - 1 && digits[first] == '0') {
    ++first;
    --point;
  }
  if (significant > 0 && count - first > significant) {
    const bool up = digits[first + significant] >= '5';
    count = first + significant;
    for (int i = count - 1; up && i >= first; --i) {
      if (digits[i] != '9') {
        ++digits[i];
        break;
      }
      digits[i] = '0';
      if (i == first) {  // 99...9 became 100...0
        digits[first] = '1';
        ++point;
      }
    }
  }
  while (count - first > 1 && digits[count - 1] == '0') --count;
  const std::string_view kept(digits + first, static_cast<std::size_t>(count - first));
  const int k = static_cast<int>(kept.size());

  if (k <= point && point <= 15) {
    out.append(kept).append(static_cast<std::size_t>(point - k), '0').append(".0");
  } else if (point > 0 && point <= 15) {
    out.append(kept.substr(0, static_cast<std::size_t>(point))).append(1, '.');
    out.append(kept.substr(static_cast<std::size_t>(point)));
  } else if (point > -4 && point <= 0) {
    out.append("0.").append(static_cast<std::size_t>(-point), '0').append(kept);
  } else {
    out += kept[0];
    if (k > 1) out.append(1, '.').append(kept.substr(1));
    const int exponent = point - 1;
    out += exponent < 0 ? "e-" : "e+";
    if (std::abs(exponent) < 10) out += '0';
    out += std::to_string(std::abs(exponent));
  }
}

void AppendJsonInteger(std::string& out, long long value) { out += std::to_string(value); }

void AppendJsonComma(std::string& out) {
  if (!out.empty() && out.back() != '[' && out.back() != '{' && out.back() != ':' &&
      out.back() != ',')
    out += ',';
}

void AppendJsonKey(std::string& out, std::string_view name, bool first) {
  if (!first) out += ',';
  AppendJsonString(out, name);
  out += ':';
}

void AppendErrorLine(std::string& out, std::string_view error) {
  out += '{';
  AppendJsonKey(out, "error", true);
  AppendJsonString(out, error);
  out += "}\n";
}
