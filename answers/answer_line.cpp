// The answer line to a solve just run, with the physics reference its request asks for.
#include "answer_line.h"

#include "headless_window.h"
#include "json_writer.h"
#include "reference_format.h"
#include "solve_answer.h"

bool AppendAnswerLine(std::string& answer, const WireRequest& wire) {
  if (!wire.wanted || !SolveCompleted()) {
    AppendSolveAnswer(answer);
    answer += '\n';
    return true;
  }
  thread_local SolveReference reference;
  if (!ComputeSolveReference(wire, reference)) {
    AppendErrorLine(answer, "reference: " + WhyNoReference(reference));
    return false;
  }
  BeginSolveAnswer(answer);
  AppendReferenceMember(answer, reference);
  answer += "}\n";
  return true;
}
