// coilcalc-cli --design: the designer from the command line, a table for people or JSON.
#pragma once

// Runs a design from the command line's arguments with "--design" among them: returns the
// program's exit status (0 coils found, 1 none fits, 2 the command line was not understood).
int RunDesignCommand(int argc, char** argv);

// Whether the arguments ask for a design.
bool AsksForDesign(int argc, char** argv);
