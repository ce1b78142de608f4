// One request of the command line: the reader of a batch line.
#pragma once

#include <string>
#include <string_view>

#include "design_request.h"
#include "headless_window.h"
#include "solve_reference.h"

// The design a request line asks for: {"design": {KEY: VALUE, ...}}.
struct DesignCase {
  bool wanted = false;
  DesignProblem problem;
};

// Answers one request line (without its line feed), appending the answer and a line feed to
// `answer`. Returns false when the line was answered with an error.
bool AnswerRequestLine(std::string_view line, std::string& answer);

// Reads one batch request line: {"unit": ..., "mode": ..., "fields": {NAME: TEXT, ...},
// "reference": ...}, or a design. Returns false with a reason in `error` when the line is not
// a request the solve or the designer can take. A plain line is scanned in one pass
// (ScanPlainRequest); any other goes to ParseSolveCase. The case's texts may be views into
// `line`: it must outlive their use. A design line sets `design` (when given) wanted.
bool ReadSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                   std::string& error, DesignCase* design = nullptr);

// The same for any line: parsed into a tree (ParseRequestTree) and checked key by key in the
// line's order, which words the error of every line that is not a request.
bool ParseSolveCase(std::string_view line, SolveCase& solveCase, WireRequest& wire,
                    std::string& error, DesignCase* design = nullptr);

// Reads a design line's tree: the "design" object's keys into the values the designer checks.
// Returns the first fault of a key's kind or shape, or none.
struct RequestNode;
std::string ReadDesignNode(const RequestNode& design, DesignInput& input);
