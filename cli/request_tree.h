// A batch request line as a tree of its first four levels, in the line's order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One value of a request line. Keys are kept in the order of the line, a repeated one each
// time, since the request's checks go through them as the line has them. Values below the
// fourth level are not kept (no request has any): their kind alone tells that they are wrong;
// nor are an array's values past the first MAX_KEPT_ELEMENTS, more than any list may hold.
inline constexpr std::size_t MAX_KEPT_ELEMENTS = 64;

struct RequestNode {
  enum Kind { MISSING, OBJECT, ARRAY, TEXT, NUMBER, BOOLEAN, NULL_VALUE, BINARY };
  Kind kind = MISSING;  // MISSING: a key whose value the line did not reach
  std::string key;      // in the object around it
  std::string text;
  double number = 0;                 // a number, or 1 and 0 for true and false
  std::vector<RequestNode> members;  // an object's members, an array's values (without keys)
};

// Parses `line` as JSON into `root`. When the line is not valid JSON, returns false with the
// fault in `syntaxError` and `root` holds what came before the fault.
bool ParseRequestTree(std::string_view line, RequestNode& root, std::string& syntaxError);
