// The words for a batch line that is not valid JSON: what is wrong and at which column.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Words the fault that stopped a JSON parser in `line`, `stop` bytes in (the parser's count of
// bytes read; one past the end when the line ended too soon). The bytes before the fault are
// valid JSON, so what the line should have had there follows from them: "not valid JSON at
// column 8: expected ',' or '}', found '\"'". Columns count bytes from 1.
std::string JsonSyntaxError(std::string_view line, std::size_t stop);
