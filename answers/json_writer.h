// JSON text written straight into a string: the one writer of every JSON the program answers.
#pragma once

#include <string>
#include <string_view>

// The length of the stretch at the start of `text` that a JSON string holds as it stands:
// printable ASCII (DEL included) without '"' and '\\'.
std::size_t PlainJsonLength(std::string_view text);

// Appends `text` as a JSON string. Bytes that are not UTF-8 become U+FFFD, control characters
// are escaped, and everything else is copied as it is (no \u escapes above U+007F).
void AppendJsonString(std::string& out, std::string_view text);

// Appends `before`, `text` as a JSON string, and `after` (JSON punctuation, written as it is);
// a text that needs no escapes, as nearly all do, in one growth of `out`.
void AppendJsonStringBetween(std::string& out, std::string_view before, std::string_view text,
                             std::string_view after);

// Appends `value` as the shortest JSON number that reads back as the same double, or null for
// infinity and not-a-number, which JSON cannot write.
void AppendJsonNumber(std::string& out, double value);

// Appends `value` as a JSON integer.
void AppendJsonInteger(std::string& out, long long value);

// Appends `"name":` with a comma before it unless it opens its object (`first`).
void AppendJsonKey(std::string& out, std::string_view name, bool first = false);

// Appends {"error":TEXT} and a line feed: the answer to a request that could not be solved.
void AppendErrorLine(std::string& out, std::string_view error);
