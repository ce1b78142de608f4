// Runs the built coilcalc-cli as a separate process, the way a user or a script runs it.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
  int exitCode = -1;  // the exit status, or 128 + the signal that ended the program
  std::string out;
  std::string err;
  bool timedOut = false;
};

// Runs coilcalc-cli with `args`, feeds `input` on stdin, closes it, and collects everything.
ProgramRun RunCli(const std::vector<std::string>& args, const std::string& input = "");

// A coilcalc-cli started with stdin left open, for checking that answers come before the end
// of input.
struct LiveProgram {
  int pid = -1;
  int in = -1;   // write end of its stdin
  int out = -1;  // read end of its stdout
};

LiveProgram StartCli(const std::vector<std::string>& args);
// Reads stdout up to and including the next line feed; empty if none came within the time.
std::string ReadLineFrom(LiveProgram& program, int timeoutMs);
// Closes stdin, waits for the program to end and returns its exit status.
int FinishCli(LiveProgram& program);
