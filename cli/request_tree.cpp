// A batch request line as a tree: nlohmann's SAX parser building the levels a request has.
#include "request_tree.h"

#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "json_syntax_error.h"

namespace {

using Json = nlohmann::json;

// The containers kept: the line, its keys' values and theirs (a reference's sweep, a design's
// range and list), so four levels of values.
constexpr int KEPT_DEPTH = 3;

// The handler of nlohmann::json::sax_parse. Its own tree, not nlohmann's: that one would keep
// one value of a repeated key, sort keys, and keep nothing of a line that is not valid JSON.
struct TreeBuilder {
  std::string_view line;
  RequestNode* root;
  std::string* syntaxError;
  RequestNode* open[KEPT_DEPTH] = {};  // the object or array opened at each depth, when kept
  int depth = 0;                       // of the next value
  // The numbers too large for a double, by their place among the line's numbers, with the
  // infinity of their sign, when the line is read with stand-ins for them; `overflowed` when
  // the parser stopped on such a number in the first reading.
  bool standIns = false;
  std::vector<std::pair<std::size_t, double>> huge = {};
  std::size_t numbers = 0, nextHuge = 0;
  bool overflowed = false;

  // The node of the next value, or none below the kept levels or past an array's kept values.
  RequestNode* Next() {
    if (depth == 0) return root;
    RequestNode* parent = depth <= KEPT_DEPTH ? open[depth - 1] : nullptr;
    if (!parent) return nullptr;
    if (parent->kind == RequestNode::OBJECT) return &parent->members.back();
    if (parent->kind == RequestNode::ARRAY && parent->members.size() < MAX_KEPT_ELEMENTS)
      return &parent->members.emplace_back();
    return nullptr;
  }
  bool Value(RequestNode::Kind kind, double number = 0, std::string* text = nullptr) {
    if (RequestNode* node = Next()) {
      node->kind = kind;
      node->number = number;
      if (text) node->text = std::move(*text);
    }
    return true;
  }
  bool Open(RequestNode::Kind kind) {
    RequestNode* node = Next();
    if (node) node->kind = kind;
    if (depth < KEPT_DEPTH) open[depth] = node;
    ++depth;
    return true;
  }

  bool null() { return Value(RequestNode::NULL_VALUE); }
  bool boolean(bool value) { return Value(RequestNode::BOOLEAN, value ? 1 : 0); }
  bool Number(double value) {
    if (nextHuge < huge.size() && huge[nextHuge].first == numbers) value = huge[nextHuge++].second;
    ++numbers;
    return Value(RequestNode::NUMBER, value);
  }
  bool number_integer(Json::number_integer_t value) { return Number(static_cast<double>(value)); }
  bool number_unsigned(Json::number_unsigned_t value) { return Number(static_cast<double>(value)); }
  bool number_float(Json::number_float_t value, const Json::string_t&) { return Number(value); }
  bool string(Json::string_t& text) { return Value(RequestNode::TEXT, 0, &text); }
  bool binary(Json::binary_t&) { return Value(RequestNode::BINARY); }
  bool start_object(std::size_t) { return Open(RequestNode::OBJECT); }
  bool start_array(std::size_t) { return Open(RequestNode::ARRAY); }
  bool Close() {
    --depth;
    return true;
  }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }
  bool key(Json::string_t& name) {
    if (depth <= KEPT_DEPTH && open[depth - 1]) open[depth - 1]->members.emplace_back().key = name;
    return true;
  }
  bool parse_error(std::size_t stop, const std::string&, const Json::exception& fault) {
    constexpr int NUMBER_OVERFLOW = 406;  // nlohmann's id for a number beyond the doubles
    overflowed = fault.id == NUMBER_OVERFLOW && !standIns;
    if (!overflowed) *syntaxError = JsonSyntaxError(line, stop);
    return false;
  }
};

// The length of the JSON number at the start of `text`, 0 when there is none or it is cut short
// (the parser stops there with a syntax fault): -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
std::size_t JsonNumberLength(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&text, &i] {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - from;
  };
  if (i < text.size() && text[i] == '-') ++i;
  const bool leadingZero = i < text.size() && text[i] == '0';
  const std::size_t whole = leadingZero ? (++i, 1) : digits();
  if (whole == 0) return 0;
  if (i < text.size() && text[i] == '.' && (++i, digits() == 0)) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return 0;
  }
  return i;
}

// Writes over each number of `line` that no double holds with a 0 and blanks, so that the
// parser reads on with every column where it was, and tells `builder` which numbers they were.
// Texts are stepped over; past the line's first fault the count no longer matters.
void StandInForHugeNumbers(std::string& line, TreeBuilder& builder) {
  std::size_t ordinal = 0;
  for (std::size_t at = 0; at < line.size();) {
    const char c = line[at];
    if (c == '"') {
      for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\') ++at;  // an escaped quote does not end the text
      }
      ++at;
      continue;
    }
    const std::size_t length = c == '-' || (c >= '0' && c <= '9')
                                   ? JsonNumberLength(std::string_view(line).substr(at))
                                   : 0;
    if (length == 0) {
      ++at;
      continue;
    }
    const double value = std::strtod(line.substr(at, length).c_str(), nullptr);
    if (std::isinf(value)) {
      builder.huge.emplace_back(ordinal, value);
      line.replace(at, length, "0" + std::string(length - 1, ' '));
    }
    ++ordinal;
    at += length;
  }
}

}  // namespace

bool ParseRequestTree(std::string_view line, RequestNode& root, std::string& syntaxError) {
  root = RequestNode();
  syntaxError.clear();
  TreeBuilder builder{line, &root, &syntaxError};
  if (Json::sax_parse(line.begin(), line.end(), &builder)) return true;
  if (!builder.overflowed) return false;
  // Rare: read again with a stand-in for each number too large, which is read as an infinity.
  std::string stood(line);
  root = RequestNode();
  builder = TreeBuilder{line, &root, &syntaxError};
  builder.standIns = true;
  StandInForHugeNumbers(stood, builder);
  return Json::sax_parse(stood.begin(), stood.end(), &builder);
}
