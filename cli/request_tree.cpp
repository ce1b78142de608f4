// A batch request line as a tree: nlohmann's SAX parser building the levels a request has.
#include "request_tree.h"

#include <nlohmann/json.hpp>

#include "json_syntax_error.h"

namespace {

using Json = nlohmann::json;

// The containers kept: the line, its keys' values and theirs (a design's range and list).
constexpr int KEPT_DEPTH = 3;

// The handler of nlohmann::json::sax_parse. Its own tree, not nlohmann's: that one would keep
// one value of a repeated key, sort keys, and keep nothing of a line that is not valid JSON.
struct TreeBuilder {
  std::string_view line;
  RequestNode* root;
  std::string* syntaxError;
  RequestNode* open[KEPT_DEPTH] = {};  // the object or array opened at each depth, when kept
  int depth = 0;                       // of the next value

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
  bool number_integer(Json::number_integer_t value) {
    return Value(RequestNode::NUMBER, static_cast<double>(value));
  }
  bool number_unsigned(Json::number_unsigned_t value) {
    return Value(RequestNode::NUMBER, static_cast<double>(value));
  }
  bool number_float(Json::number_float_t value, const Json::string_t&) {
    return Value(RequestNode::NUMBER, value);
  }
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
  bool parse_error(std::size_t stop, const std::string&, const Json::exception&) {
    *syntaxError = JsonSyntaxError(line, stop);
    return false;
  }
};

}  // namespace

bool ParseRequestTree(std::string_view line, RequestNode& root, std::string& syntaxError) {
  root = RequestNode();
  syntaxError.clear();
  TreeBuilder builder{line, &root, &syntaxError};
  return Json::sax_parse(line.begin(), line.end(), &builder);
}
