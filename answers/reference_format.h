// The physics reference of a solve in words: the command line's block, the JSON member of an
// answer and the page's panel, from one list of rows.
#pragma once

#include <string>

#include "solve_reference.h"

// A short English sentence for a fault of the physics reference, for messages.
const char* ReferenceFaultText(ReferenceFault fault);

// Why a reference could not be worked out, as a sentence without its full stop.
std::string WhyNoReference(const SolveReference& reference);

// The text block set under the dialog's result lines: the wire, then one row per quantity.
std::string ReferenceBlock(const SolveReference& reference);

// Appends ,"wire_gauge": the reference's gauge, or null for a wire named by its diameter.
void AppendWireGauge(std::string& out, const SolveReference& reference);

// Appends ,"reference":{...} with the reference's values as JSON numbers (uH, pF, MHz, the
// wire in the solve's unit of length).
void AppendReferenceMember(std::string& out, const SolveReference& reference);

// Appends the page's panel: {"heading":TEXT,"columns":[...],"rows":[[LABEL,REFERENCE,DIALOG,
// DIFFERENCE],...]}, or with no columns and rows and the reason as the heading when the
// reference could not be worked out (`worked` false).
void AppendReferencePanel(std::string& out, const SolveReference& reference, bool worked);

// Appends the panel of no reference, `heading` saying why.
void AppendRefusalPanel(std::string& out, const std::string& heading);
