// The answer to a design on every face: each designed coil worked out as a reference request
// for it is, and written as JSON, as a table for people and as the page's panel.
#pragma once

#include <string>

#include "coil_design.h"
#include "solve_reference.h"

// The reference of one coil as a request for it gets it: its texts solved for the inductance
// in the in-memory dialog, then the reference with its wire at the problem's frequency and
// temperature. Returns false when the dialog refuses the coil or the reference has none.
bool DesignedCoilReference(const DesignProblem& problem, const CoilTexts& coil,
                           SolveReference& reference, double& wireLength);

// The figures the designer checks, from DesignedCoilReference: what it passes to DesignCoils.
bool DialogFigures(const DesignProblem& problem, const CoilTexts& coil, CoilFigures& figures);

// Designs the coils, their figures by DialogFigures.
DesignOutcome DesignWithDialog(const DesignProblem& problem);

// Appends the answer line: {"design":{"coils":[{...},...]}} and a line feed, or the error line
// of a design that found no coil (then returns false).
bool AppendDesignAnswer(std::string& out, const DesignProblem& problem,
                        const DesignOutcome& outcome);

// The coils as a table for people, a heading line and one row each, or why there are none.
std::string DesignTable(const DesignProblem& problem, const DesignOutcome& outcome);

// Appends the page's panel: {"columns":[...],"rows":[[TEXT,...],...],"unitOption":ID,
// "coils":[[[ID,TEXT],...],...]}: the texts each coil puts into the dialog's fields and the
// option of the design's unit; or {"error":TEXT}.
void AppendDesignPanel(std::string& out, const DesignProblem& problem,
                       const DesignOutcome& outcome);
