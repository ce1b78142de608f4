// The designer: the single-layer coils of highest apparent Q that give an apparent inductance
// at a frequency within the user's limits, one coil for each of the best wires. Over the
// physics reference alone (docs/design.md tells how it searches).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One wire the designer may choose.
struct DesignWire {
  double diameter = 0;  // bare, metres
  bool byGauge = true;
  int gauge = 0;
  std::string text;  // a diameter as the request wrote it, in its unit
};

// The problem, checked: SI units but for the form's lengths.
struct DesignProblem {
  bool millimetres = false;  // the request's unit of length, else inches
  double inductance = 0;     // the apparent inductance wanted, henries
  std::string frequencyText;
  double frequency = 0;  // hertz
  double celsius = 20;
  // The form's diameter and the largest height, in the problem's unit as the request wrote them.
  double diameterMin = 0, diameterMax = 0;
  std::string diameterText;  // a single diameter as written, else empty
  double heightMax = 0;      // infinity when not limited
  std::vector<DesignWire> wires;
  double pitchMin = 1.1;  // the pitch over the bare wire
  double margin = 3;      // the self-resonance over the frequency
  double tolerance = 0.01;
  int count = 5;
};

// The metres in one unit of the problem's length.
double UnitMetres(const DesignProblem& problem);

// A coil as a user enters it: its diameter, height and turns as texts in the problem's unit
// of length, and one of the problem's wires.
struct CoilTexts {
  std::string diameter, height, turns;
  std::size_t wire = 0;
};

// What the designer must know of a coil, worked out from its texts: lengths in the problem's
// unit, the apparent inductance in henries, the self-resonance in hertz.
struct CoilFigures {
  double diameter = 0, height = 0, turns = 0, wire = 0, pitch = 0;
  double apparentInductance = 0;
  double apparentQ = 0;
  double selfResonance = 0;
};

// Works out the figures of a coil, or returns false when it has none. The designer takes
// only coils whose figures keep every limit: the faces pass the one that answers a reference
// request, so that the designed coil is the one the user gets by entering it.
using FigureCoil = bool (*)(const DesignProblem& problem, const CoilTexts& coil,
                            CoilFigures& figures);

// The figures straight from the physics reference, the texts read as decimal numbers.
bool PhysicsFigures(const DesignProblem& problem, const CoilTexts& coil, CoilFigures& figures);

// Whether a coil's figures keep every limit of the problem.
bool KeepsLimits(const DesignProblem& problem, const CoilFigures& figures);

// The limits a designed coil lies on (within 1 %): where the optimum would go further if it
// could, and so what to relax for a higher Q.
enum DesignLimit : unsigned {
  ON_DIAMETER_MIN = 1,
  ON_DIAMETER_MAX = 2,
  ON_HEIGHT_MAX = 4,
  ON_PITCH_MIN = 8,
  ON_SHAPE = 16,  // height/diameter at 0.1 or 10
  ON_RESONANCE = 32,
};
unsigned LimitsReached(const DesignProblem& problem, const CoilFigures& figures);
// The limits in words, as the command line and the page list them ("height_max, pitch_min").
std::string LimitNames(unsigned limits);

// Why no coil fits: the reason of the tries that came nearest (docs/design.md).
enum class DesignStop {
  NONE,
  TOO_FEW_TURNS,   // even 2 turns give more than the inductance
  WIRE_TOO_THICK,  // the turns the inductance needs do not fit at the smallest pitch
  TOO_MANY_TURNS,  // more turns than a coil may have
  RESONANCE,       // the self-resonance below margin x frequency
  SHAPE,           // the largest height below a tenth of the diameter
  ROUNDING,        // no windable coil near an optimum keeps the tolerance
};
// The error of a design that found no coil: which limit stops it and what to relax.
std::string DesignStopText(DesignStop stop);

struct DesignedCoil {
  CoilTexts texts;
  CoilFigures figures;  // by the FigureCoil the design was given
  unsigned limits = 0;  // DesignLimit
};

struct DesignOutcome {
  std::vector<DesignedCoil> coils;  // best first, each of another wire, at most `count`
  DesignStop stop = DesignStop::NONE;
};

// The turns a coil may have.
inline constexpr double DESIGN_MIN_TURNS = 2;
inline constexpr double DESIGN_MAX_TURNS = 16384;
// The height over the diameter a coil may have.
inline constexpr double DESIGN_MIN_SHAPE = 0.1;
inline constexpr double DESIGN_MAX_SHAPE = 10;

// Designs the coils of `problem`, each checked by `figure`.
DesignOutcome DesignCoils(const DesignProblem& problem, FigureCoil figure = PhysicsFigures);

// The highest apparent Q of one wire by an exhaustive search: the diameter on a grid of
// `diameters` points (one for a single diameter), the height on `heights`, the turns solved
// by bisection for the inductance; 0 when no point of the grid fits. For the tests and the
// documentation's examples, which measure the designer against it.
struct GridBest {
  double q = 0;
  double diameter = 0, height = 0, turns = 0;  // metres, turns
};
GridBest ExhaustiveBest(const DesignProblem& problem, std::size_t wire, int diameters, int heights);
