// The coil over a band in words and files: the command line's table, the reference's "sweep"
// member, the Touchstone file and the SPICE model, the same bytes on every face and build.
#pragma once

#include <string>

#include "solve_reference.h"

// Significant digits of the sweep's numbers and the model's values: beyond what the physics is
// good for, and few enough that the last bits in which C libraries differ (the reference uses
// their log, exp and pow) stay out of sight.
inline constexpr int SWEEP_DIGITS = 9;

// The table of frequency, R, X, |Z| and Q under the reference block; empty without a sweep.
std::string SweepTable(const SolveReference& reference);

// Appends ,"sweep":[{"frequency_Hz":F,"resistance_ohm":R,"reactance_ohm":X},...] when the
// reference has a sweep.
void AppendSweepMember(std::string& out, const SolveReference& reference);

// A Touchstone 1.1 one-port file of the sweep: S11 against 50 ohms, real and imaginary parts
// (the form every reader takes; Z = 50 (1 + S11) / (1 - S11)).
std::string TouchstoneFile(const SolveReference& reference);

// A SPICE subcircuit "coil" with pins 1 and 2: the fitted ladder and the capacitance.
std::string SpiceModel(const SolveReference& reference);

// A frequency as a user types it: the number in Hz, kHz, MHz or GHz, whichever keeps it from
// 1 to 1000, with six significant digits ("7.1 MHz").
std::string FrequencyText(double hertz);

// The --sweep text of a band whose ends are whole numbers of hertz, as the command line reads
// it back to the same band ("710000Hz:300000000Hz"; points left out when 201).
std::string SweepOptionText(const SweepBand& band);

// Appends the page's plot of a reference with a sweep and a ladder: {"band":SWEEP_OPTION,
// "bandText":"710 kHz to 300 MHz","frequency":HZ,"resonance":HZ,"points":[[HZ,R,X],...],
// "touchstone":FILE,"spice":MODEL}, `frequency` the page's working frequency.
void AppendSweepPlot(std::string& out, const SolveReference& reference, double frequency);
