// Words a JSON syntax fault from the line's own bytes, in the program's terms.
#include "json_syntax_error.h"

#include <algorithm>
#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool EndsWord(char c) {
  return IsBlank(c) || c == '"' || c == '{' || c == '}' || c == '[' || c == ']' || c == ':' ||
         c == ',';
}

// The closing quote of the text that opens at `at`, or the line's end when it has none.
std::size_t TextEnd(std::string_view line, std::size_t at) {
  for (std::size_t i = at + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      return i;
    }
  }
  return line.size();
}

// The end of a number or literal (or of a stray word) that starts at `at`.
std::size_t WordEnd(std::string_view line, std::size_t at) {
  while (at < line.size() && !EndsWord(line[at])) ++at;
  return at;
}

// Whether `word` is a JSON literal or number: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsScalar(std::string_view word) {
  if (word == "true" || word == "false" || word == "null") return true;
  std::size_t i = 0;
  const auto digits = [&word, &i] {
    const std::size_t from = i;
    while (i < word.size() && word[i] >= '0' && word[i] <= '9') ++i;
    return i - from;
  };
  if (i < word.size() && word[i] == '-') ++i;
  const bool leadingZero = i < word.size() && word[i] == '0';
  const std::size_t whole = digits();
  if (whole == 0 || (leadingZero && whole > 1)) return false;
  if (i < word.size() && word[i] == '.' && (++i, digits() == 0)) return false;
  if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
    ++i;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == word.size();
}

// What may come next after the valid JSON read so far.
struct Expected {
  std::vector<char> open;  // the objects and arrays around, '{' or '['
  std::string what = "'{'";
  bool textFits = false;  // a text may stand here: a key or a value

  void Set(const char* text, bool fits) {
    what = text;
    textFits = fits;
  }
  void AfterValue() {
    if (open.empty()) return Set("the end of the line", false);
    Set(open.back() == '{' ? "',' or '}'" : "',' or ']'", false);
  }
};

std::string At(std::size_t at, const std::string& problem) {
  return "not valid JSON at column " + std::to_string(at + 1) + ": " + problem;
}

// The fault inside the text that opens at `at`, where the parser stopped at `fault`.
std::string TextFault(std::string_view line, std::size_t at, std::size_t fault) {
  if (fault == line.size()) return At(at, "a text is not closed");
  const auto byte = [line](std::size_t i) { return static_cast<unsigned char>(line[i]); };
  if (byte(fault) < 0x20) return At(fault, "a control character in a text");
  if (byte(fault) >= 0x80 || byte(fault - 1) >= 0x80)
    return At(fault, "a byte in a text that is not UTF-8");
  // A bad letter after a backslash, or a \u escape of half a surrogate pair.
  return At(fault, "an escape in a text that JSON does not have");
}

}  // namespace

std::string JsonSyntaxError(std::string_view line, std::size_t stop) {
  const std::size_t fault = std::min(stop == 0 ? 0 : stop - 1, line.size());
  Expected next;
  bool awaitsKey = false;  // a key comes next, inside an object
  std::size_t at = 0;
  while (at < fault) {
    const char c = line[at];
    std::size_t end = at + 1;
    if (c == '"') {
      end = TextEnd(line, at);
      // The parser stops on the closing quote of a whole text that stands where none may.
      if (end == fault && fault < line.size() && !next.textFits) break;
      if (end >= fault) return TextFault(line, at, fault);
      ++end;
      if (awaitsKey) {
        next.Set("':'", false);
      } else {
        next.AfterValue();
      }
      awaitsKey = false;
    } else if (c == '{' || c == '[') {
      next.open.push_back(c);
      awaitsKey = c == '{';
      next.Set(awaitsKey ? "a key in quotes or '}'" : "a value or ']'", true);
    } else if ((c == '}' || c == ']') && !next.open.empty()) {
      next.open.pop_back();
      next.AfterValue();
      awaitsKey = false;
    } else if (c == ':') {
      next.Set("a value", true);
    } else if (c == ',') {
      awaitsKey = !next.open.empty() && next.open.back() == '{';
      next.Set(awaitsKey ? "a key in quotes" : "a value", true);
    } else if (!IsBlank(c)) {
      end = WordEnd(line, at);
      // A number or literal the parser could not take, stopped in it or on the byte after it.
      if (end > fault || !IsScalar(line.substr(at, end - at))) break;
      next.AfterValue();
    }
    at = end;
  }
  const std::string expected = "expected " + next.what + ", found ";
  if (at >= line.size()) return At(at, expected + "the end of the line");
  if (line[at] == '"') return At(at, expected + "a text");
  const std::size_t end = EndsWord(line[at]) ? at + 1 : WordEnd(line, at);
  constexpr std::size_t LONGEST = 20;  // of a stray word shown
  const std::string_view word = line.substr(at, std::min(end - at, LONGEST));
  return At(at, expected + "'" + std::string(word) + (end - at > LONGEST ? "...'" : "'"));
}
