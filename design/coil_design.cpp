// The designer's search: for each wire, the best coil over the diameter and the height with the
// turns solved for the inductance, then the best whole number of turns, rounded to texts.
#include "coil_design.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "coil_frequency.h"
#include "coil_physics.h"
#include "line_search.h"

namespace {

using line_search::Maximise;
using line_search::NONE;
using line_search::SolveIncreasing;

constexpr double PI = std::numbers::pi;
constexpr double INFINITE = std::numeric_limits<double>::infinity();
// The limits are kept this much inside while searching, so that a coil found on one still
// keeps it once its texts are rounded and read back through single precision.
constexpr double INSIDE = 1e-6;
// The search's tolerances, in the logarithm of a length: the coarse continuous optimum, and the
// diameter for whole turns.
constexpr double COARSE = 2e-2;
constexpr double FINE = 1e-4;
constexpr int STOPS = static_cast<int>(DesignStop::ROUNDING) + 1;

// One wire's search, and the reasons the coils it tried did not fit.
struct WireSearch {
  const DesignProblem& problem;
  double metres;     // per unit of the problem's lengths
  double wire;       // bare diameter, metres
  double minPitch;   // metres, a little inside the limit
  double heightMax;  // metres
  int* stops;        // a count for each DesignStop
  // The self-resonance of the last solve of each kind, where the next starts from.
  struct Hint {
    bool set = false;
    double u = 0, resonance = 0, power = 0;
  };
  mutable Hint turnsHint, heightHint;
};

// A coil the search tried: its apparent Q, or NONE with the reason.
struct Trial {
  double q = NONE;
  double turns = 0, height = 0;
};

Trial Refuse(const WireSearch& s, DesignStop stop) {
  ++s.stops[static_cast<int>(stop)];
  return Trial();
}

// The turns of a sheet of diameter D and length H for inductance L (Wheeler's estimate), a
// start for the solve.
double SheetTurns(double D, double H, double L) {
  return std::sqrt(L * (H + 0.45 * D) / (MU0 * PI * D * D / 4));
}

// A solve for the apparent inductance: the variable's logarithm u and the reference there.
struct Solved {
  double u = 0;
  CoilReference coil{};
  int side = 0;  // when there is none: -1 the inductance too high at the low end, +1 too low
};

// Solves for u in [lo, hi] where the coil's apparent inductance is the problem's: the
// round-wire inductance `inductance(u)` exactly at every step, the self-resonance, which costs
// far more, from `reference(u)` at a few points only and as a power law of exp(u) through the
// last two in between (at first with the exponent `power`). Returns false with `side` set
// when there is no such u.
template <class Inductance, class Reference>
bool SolveApparent(const WireSearch& s, WireSearch::Hint& hint, Inductance inductance,
                   Reference reference, double lo, double hi, double start, double slope,
                   double power, Solved& out) {
  const double f = s.problem.frequency, logL = std::log(s.problem.inductance);
  // The last solve's self-resonance stands in for this one's until the reference is asked.
  bool anchored = false;
  double anchor = hint.u, anchorResonance = hint.set ? hint.resonance : INFINITE;
  if (hint.set) power = hint.power;
  for (int step = 0; step < 12; ++step) {
    const auto g = [&](double u) {
      const double resonance = anchorResonance * std::exp(power * (u - anchor));
      const double ratio = f / resonance;
      return ratio < 1 ? std::log(inductance(u) / (1 - ratio * ratio)) - logL : INFINITE;
    };
    const double u = SolveIncreasing(g, lo, hi, start, slope, out.side);
    if (std::isnan(u)) {
      // Not in the range by the model: by the reference, when it was not asked yet.
      if (anchored || out.side == 0) return false;
      anchored = true;
      anchor = out.side < 0 ? lo : hi;
      if (!reference(anchor, out.coil)) return false;
      anchorResonance = out.coil.selfResonance;
      start = anchor;
      continue;
    }
    if (anchored && std::fabs(u - anchor) < 1e-4) {
      out.u = anchor;
      hint = {true, anchor, anchorResonance, power};
      return true;
    }
    CoilReference coil;
    if (!reference(u, coil)) return false;
    if (anchored && std::fabs(u - anchor) > 1e-9)
      power = std::log(coil.selfResonance / anchorResonance) / (u - anchor);
    anchored = true;
    anchor = start = u;
    anchorResonance = coil.selfResonance;
    out.coil = coil;
  }
  return false;
}

// The coil's apparent Q once its turns are known, or NONE when it resonates too low.
Trial Finish(const WireSearch& s, double D, double H, double N, const CoilReference& coil) {
  FrequencyReference at;
  const DesignProblem& p = s.problem;
  if (!(coil.selfResonance >= p.margin * p.frequency * (1 + INSIDE)))
    return Refuse(s, DesignStop::RESONANCE);
  if (ComputeFrequencyReference(D, H, N, s.wire, coil, p.frequency, p.celsius, at) !=
          ReferenceFault::NONE ||
      !(at.apparentQ > 0))
    return Refuse(s, DesignStop::RESONANCE);
  return Trial{at.apparentQ, N, H};
}

// The coil D x H whose turns give the apparent inductance.
Trial AtShape(const WireSearch& s, double D, double H) {
  const double maxTurns = std::min(DESIGN_MAX_TURNS, H / s.minPitch);
  if (maxTurns < DESIGN_MIN_TURNS) return Refuse(s, DesignStop::WIRE_TOO_THICK);
  Solved solved;
  const bool found = SolveApparent(
      s, s.turnsHint, [&](double u) { return RoundWireInductance(D, H, std::exp(u), s.wire); },
      [&](double u, CoilReference& coil) {
        return ComputeCoilReference(D, H, std::exp(u), s.wire, coil) == ReferenceFault::NONE;
      },
      std::log(DESIGN_MIN_TURNS), std::log(maxTurns),
      std::log(SheetTurns(D, H, s.problem.inductance)), 2.0, -1.0, solved);
  if (!found) {
    if (solved.side < 0) return Refuse(s, DesignStop::TOO_FEW_TURNS);
    return Refuse(s, solved.side > 0 && maxTurns == DESIGN_MAX_TURNS ? DesignStop::TOO_MANY_TURNS
                                                                     : DesignStop::WIRE_TOO_THICK);
  }
  return Finish(s, D, H, std::exp(solved.u), solved.coil);
}

// The heights a coil of diameter D may have, as logarithms; empty (lo > hi) when none.
void HeightRange(const WireSearch& s, double D, double& lo, double& hi) {
  lo = std::log(DESIGN_MIN_SHAPE * D * (1 + INSIDE));
  hi = std::log(std::min(DESIGN_MAX_SHAPE * D * (1 - INSIDE), s.heightMax));
}

// The best coil of diameter D, the turns solved for each height.
Trial BestHeight(const WireSearch& s, double D) {
  double lo, hi;
  HeightRange(s, D, lo, hi);
  if (lo > hi) return Refuse(s, DesignStop::SHAPE);
  Trial best;
  Maximise(
      [&](double u) {
        const Trial trial = AtShape(s, D, std::exp(u));
        if (trial.q > best.q) best = trial;
        return trial.q;
      },
      lo, hi, 5, COARSE);
  return best;
}

// The coil of diameter D and N turns whose height gives the apparent inductance.
Trial AtTurns(const WireSearch& s, double D, double N) {
  double lo, hi;
  HeightRange(s, D, lo, hi);
  lo = std::max(lo, std::log(N * s.minPitch));
  if (lo > hi) return Refuse(s, DesignStop::WIRE_TOO_THICK);
  const double L = s.problem.inductance;
  const double sheetHeight = MU0 * PI * D * D / 4 * N * N / L - 0.45 * D;
  Solved solved;
  // Longer at the same turns is less inductance: the solve is over the height's inverse.
  const bool found = SolveApparent(
      s, s.heightHint, [&](double v) { return RoundWireInductance(D, std::exp(-v), N, s.wire); },
      [&](double v, CoilReference& coil) {
        return ComputeCoilReference(D, std::exp(-v), N, s.wire, coil) == ReferenceFault::NONE;
      },
      -hi, -lo, sheetHeight > 0 ? -std::log(sheetHeight) : -lo, 0.7, 0.0, solved);
  if (!found)
    return Refuse(s, solved.side < 0 ? DesignStop::TOO_FEW_TURNS : DesignStop::WIRE_TOO_THICK);
  return Finish(s, D, std::exp(-solved.u), N, solved.coil);
}

// The best of the trials `trialAt(D)` over the problem's diameters, by a search of `scans`
// points, to `tolerance`; `D` gets the best one's diameter.
template <typename TrialAt>
Trial BestOverDiameters(const WireSearch& s, TrialAt trialAt, int scans, double tolerance,
                        double& D) {
  const DesignProblem& p = s.problem;
  const double lo = std::log(p.diameterMin * s.metres), hi = std::log(p.diameterMax * s.metres);
  Trial best;
  D = std::nan("");
  Maximise(
      [&](double u) {
        const Trial trial = trialAt(std::exp(u));
        if (trial.q > best.q) {
          best = trial;
          D = std::exp(u);
        }
        return trial.q;
      },
      lo, hi, scans, tolerance);
  return best;
}

// The best diameter for N turns, the height solved for each; `D` gets it.
Trial BestDiameterAtTurns(const WireSearch& s, double N, double& D) {
  return BestOverDiameters(
      s, [&](double diameter) { return AtTurns(s, diameter, N); }, 5, FINE, D);
}

// The continuous optimum over the diameter and the height; `D` gets its diameter.
Trial ContinuousBest(const WireSearch& s, double& D) {
  return BestOverDiameters(
      s, [&](double diameter) { return BestHeight(s, diameter); }, 4, COARSE, D);
}

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The texts a diameter of `value` (in the problem's unit) may be written as: rounded to 0.1 mm
// or 0.001 inch, a step either way, within the problem's range; its six digits when no such
// text is.
std::vector<std::string> DiameterTexts(const DesignProblem& p, double value) {
  if (!p.diameterText.empty()) return {p.diameterText};
  const double step = p.millimetres ? 0.1 : 0.001;
  const char* format = p.millimetres ? "%.1f" : "%.3f";
  std::vector<std::string> texts;
  const double nearest = std::round(value / step);
  for (const double k : {nearest, nearest - 1, nearest + 1}) {
    const std::string text = Printed(format, k * step);
    const double written = std::strtod(text.c_str(), nullptr);
    if (written >= p.diameterMin && written <= p.diameterMax) texts.push_back(text);
  }
  if (texts.empty())
    texts.push_back(Printed("%.6g", std::clamp(value, p.diameterMin, p.diameterMax)));
  return texts;
}

// The texts a height of `value` may be written as: four significant digits, a step in the
// last either way, then six digits.
std::vector<std::string> HeightTexts(double value) {
  std::vector<std::string> texts;
  const double step = std::pow(10.0, std::floor(std::log10(value)) - 3);
  const double nearest = std::round(value / step);
  for (const double k : {nearest, nearest - 1, nearest + 1})
    texts.push_back(Printed("%.4g", k * step));
  texts.push_back(Printed("%.6g", value));
  return texts;
}

// A number of turns the user can wind, which the dialog shows as it is in its three digits:
// quarter turns below 10 turns, half turns below 100, whole turns from there (a lead may leave
// the form at any quarter of its circumference).
double TurnStep(double N) { return N < 10 ? 0.25 : N < 100 ? 0.5 : 1; }

// The best coil of the wire as texts that keep every limit by `figure`: for the windable turns
// next to the continuous optimum N, the best diameter, rounded, and the height for it.
bool RoundedBest(const WireSearch& s, std::size_t wire, double N, FigureCoil figure,
                 DesignedCoil& out) {
  const DesignProblem& p = s.problem;
  bool found = false;
  const double step = TurnStep(N);
  const double below = std::floor(N / step) * step;
  const double near[] = {below, below + step, below - TurnStep(below - 0.01),
                         below + step + TurnStep(below + step)};
  for (int i = 0; i < 4; ++i) {
    const double turns = near[i];
    if (i == 2 && found) break;  // the next ones only when neither neighbour fits
    if (turns < DESIGN_MIN_TURNS || turns > DESIGN_MAX_TURNS) continue;
    double D = 0;
    if (BestDiameterAtTurns(s, turns, D).q == NONE) continue;
    for (const std::string& diameter : DiameterTexts(p, D / s.metres)) {
      const double written = std::strtod(diameter.c_str(), nullptr) * s.metres;
      const Trial trial = AtTurns(s, written, turns);
      if (trial.q == NONE) continue;
      for (const std::string& height : HeightTexts(trial.height / s.metres)) {
        CoilTexts texts{diameter, height, Printed("%.2f", turns), wire};
        // Written as a user would: "12", "7.5", "7.25".
        while (texts.turns.back() == '0') texts.turns.pop_back();
        if (texts.turns.back() == '.') texts.turns.pop_back();
        CoilFigures figures;
        if (!figure(p, texts, figures) || !KeepsLimits(p, figures)) continue;
        if (!found || figures.apparentQ > out.figures.apparentQ) {
          out = {texts, figures, LimitsReached(p, figures)};
          found = true;
        }
      }
    }
  }
  return found;
}

}  // namespace

double UnitMetres(const DesignProblem& problem) {
  return problem.millimetres ? 0.001 : METRES_PER_INCH;
}

bool PhysicsFigures(const DesignProblem& p, const CoilTexts& texts, CoilFigures& figures) {
  const double metres = UnitMetres(p);
  CoilFigures f;
  f.diameter = std::strtod(texts.diameter.c_str(), nullptr);
  f.height = std::strtod(texts.height.c_str(), nullptr);
  f.turns = std::strtod(texts.turns.c_str(), nullptr);
  const double d = p.wires[texts.wire].diameter;
  f.wire = d / metres;
  f.pitch = f.height / f.turns;
  CoilReference coil;
  FrequencyReference at;
  const double D = f.diameter * metres, H = f.height * metres;
  if (ComputeCoilReference(D, H, f.turns, d, coil) != ReferenceFault::NONE ||
      ComputeFrequencyReference(D, H, f.turns, d, coil, p.frequency, p.celsius, at) !=
          ReferenceFault::NONE)
    return false;
  f.apparentInductance = at.apparentInductance;
  f.apparentQ = at.apparentQ;
  f.selfResonance = coil.selfResonance;
  figures = f;
  return true;
}

bool KeepsLimits(const DesignProblem& p, const CoilFigures& f) {
  const double shape = f.height / f.diameter;
  return f.diameter >= p.diameterMin && f.diameter <= p.diameterMax && f.height <= p.heightMax &&
         shape >= DESIGN_MIN_SHAPE && shape <= DESIGN_MAX_SHAPE && f.turns >= DESIGN_MIN_TURNS &&
         f.turns <= DESIGN_MAX_TURNS && f.pitch >= p.pitchMin * f.wire &&
         f.selfResonance >= p.margin * p.frequency &&
         std::fabs(f.apparentInductance / p.inductance - 1) <= p.tolerance && f.apparentQ > 0;
}

unsigned LimitsReached(const DesignProblem& p, const CoilFigures& f) {
  constexpr double NEAR = 1.01;
  const double shape = f.height / f.diameter;
  unsigned limits = 0;
  if (p.diameterMin < p.diameterMax) {
    if (f.diameter <= p.diameterMin * NEAR) limits |= ON_DIAMETER_MIN;
    if (f.diameter * NEAR >= p.diameterMax) limits |= ON_DIAMETER_MAX;
  }
  if (f.height * NEAR >= p.heightMax) limits |= ON_HEIGHT_MAX;
  if (f.pitch <= p.pitchMin * f.wire * NEAR) limits |= ON_PITCH_MIN;
  if (shape <= DESIGN_MIN_SHAPE * NEAR || shape * NEAR >= DESIGN_MAX_SHAPE) limits |= ON_SHAPE;
  if (f.selfResonance <= p.margin * p.frequency * NEAR) limits |= ON_RESONANCE;
  return limits;
}

std::string LimitNames(unsigned limits) {
  const std::pair<unsigned, const char*> names[] = {
      {ON_DIAMETER_MIN, "smallest diameter"}, {ON_DIAMETER_MAX, "largest diameter"},
      {ON_HEIGHT_MAX, "height_max"},          {ON_PITCH_MIN, "pitch_min"},
      {ON_SHAPE, "height/diameter"},          {ON_RESONANCE, "resonance_margin"}};
  std::string text;
  for (const auto& [limit, name] : names) {
    if (!(limits & limit)) continue;
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text;
}

std::string DesignStopText(DesignStop stop) {
  const char* why = "";
  switch (stop) {
    case DesignStop::NONE:
      return "";
    case DesignStop::TOO_FEW_TURNS:
      why =
          "even 2 turns give more than the inductance: allow a smaller \"diameter\" or a "
          "larger \"height_max\"";
      break;
    case DesignStop::WIRE_TOO_THICK:
      why =
          "the turns the inductance needs do not fit at the smallest pitch: allow thinner "
          "wire, a smaller \"pitch_min\", a larger \"height_max\" or a larger \"diameter\"";
      break;
    case DesignStop::TOO_MANY_TURNS:
      why =
          "the inductance needs more than 16384 turns: allow a larger \"diameter\" or a "
          "larger \"height_max\"";
      break;
    case DesignStop::RESONANCE:
      why =
          "every coil that gives the inductance resonates by itself below "
          "\"resonance_margin\" times the frequency: allow a smaller \"resonance_margin\" or "
          "another \"diameter\"";
      break;
    case DesignStop::SHAPE:
      why =
          "\"height_max\" is below a tenth of the diameter: allow a larger \"height_max\" or "
          "a smaller \"diameter\"";
      break;
    case DesignStop::ROUNDING:
      why =
          "no coil of windable turns and rounded lengths keeps the inductance within "
          "\"tolerance\": allow a larger \"tolerance\"";
      break;
  }
  return std::string("no coil fits: ") + why;
}

DesignOutcome DesignCoils(const DesignProblem& p, FigureCoil figure) {
  DesignOutcome outcome;
  int stops[STOPS] = {}, roundingStops[STOPS] = {};
  bool rounded = false;  // a wire's continuous optimum was found, but no windable coil near it
  const double metres = UnitMetres(p);
  for (std::size_t i = 0; i < p.wires.size(); ++i) {
    const double d = p.wires[i].diameter;
    const WireSearch s{
        p,     metres, d, p.pitchMin * d * (1 + INSIDE), p.heightMax * metres * (1 - INSIDE),
        stops, {},     {}};
    double D = 0;
    const Trial best = ContinuousBest(s, D);
    if (best.q == NONE) continue;
    DesignedCoil coil;
    int before[STOPS];
    std::copy(std::begin(stops), std::end(stops), before);
    if (RoundedBest(s, i, best.turns, figure, coil)) {
      outcome.coils.push_back(std::move(coil));
    } else {
      rounded = true;
      for (int k = 0; k < STOPS; ++k) roundingStops[k] += stops[k] - before[k];
    }
  }
  // Best first; of two coils of the same Q, that of the wire given first.
  std::sort(outcome.coils.begin(), outcome.coils.end(),
            [](const DesignedCoil& a, const DesignedCoil& b) {
              return a.figures.apparentQ != b.figures.apparentQ
                         ? a.figures.apparentQ > b.figures.apparentQ
                         : a.texts.wire < b.texts.wire;
            });
  if (outcome.coils.size() > static_cast<std::size_t>(p.count)) outcome.coils.resize(p.count);
  if (outcome.coils.empty()) {
    // The reason of the tries that came nearest: those of windable turns next to a continuous
    // optimum (ROUNDING when they failed only the last check), else those that failed only on
    // their self-resonance, else the most frequent.
    const int* counts = rounded ? roundingStops : stops;
    int most = static_cast<int>(DesignStop::TOO_FEW_TURNS);
    for (int k = most + 1; k < STOPS; ++k) {
      if (counts[k] > counts[most]) most = k;
    }
    if (rounded && counts[most] == 0) most = static_cast<int>(DesignStop::ROUNDING);
    if (!rounded && stops[static_cast<int>(DesignStop::RESONANCE)] > 0)
      most = static_cast<int>(DesignStop::RESONANCE);
    outcome.stop = static_cast<DesignStop>(most);
  }
  return outcome;
}

GridBest ExhaustiveBest(const DesignProblem& p, std::size_t wire, int diameters, int heights) {
  const double metres = UnitMetres(p);
  const double d = p.wires[wire].diameter;
  GridBest best;
  const double dLo = p.diameterMin * metres, dHi = p.diameterMax * metres;
  const int dCount = dLo < dHi ? diameters : 1;
  double resonance = INFINITE;  // the last point's, where the next point's solve starts
  for (int i = 0; i < dCount; ++i) {
    const double D = dCount == 1 ? dLo : dLo * std::pow(dHi / dLo, i / (dCount - 1.0));
    const double hLo = DESIGN_MIN_SHAPE * D;
    const double hHi = std::min(DESIGN_MAX_SHAPE * D, p.heightMax * metres);
    for (int j = 0; j < heights && hLo <= hHi; ++j) {
      const double H = hLo * std::pow(hHi / hLo, j / (heights - 1.0));
      const double most = std::min(DESIGN_MAX_TURNS, H / (p.pitchMin * d));
      if (most < DESIGN_MIN_TURNS) continue;
      // The turns by bisection for the round-wire inductance the apparent one needs at the
      // self-resonance of the turns before, until the turns no longer change.
      double N = 0;
      CoilReference coil;
      bool solved = false;
      for (int pass = 0; pass < 40 && !solved; ++pass) {
        const double ratio = p.frequency / resonance;
        if (!(ratio < 1)) resonance = INFINITE;
        const double wanted = p.inductance * (1 - (ratio < 1 ? ratio * ratio : 0));
        double lo = DESIGN_MIN_TURNS, hi = most;
        if (RoundWireInductance(D, H, lo, d) > wanted || RoundWireInductance(D, H, hi, d) < wanted)
          break;
        for (int k = 0; k < 60; ++k) {
          const double middle = std::sqrt(lo * hi);
          (RoundWireInductance(D, H, middle, d) < wanted ? lo : hi) = middle;
        }
        const double turns = std::sqrt(lo * hi);
        solved = std::fabs(turns / N - 1) < 1e-9;
        N = turns;
        if (ComputeCoilReference(D, H, N, d, coil) != ReferenceFault::NONE) break;
        resonance = coil.selfResonance;
      }
      FrequencyReference at;
      if (!solved || coil.selfResonance < p.margin * p.frequency ||
          ComputeFrequencyReference(D, H, N, d, coil, p.frequency, p.celsius, at) !=
              ReferenceFault::NONE ||
          !(at.apparentQ > best.q))
        continue;
      best = {at.apparentQ, D, H, N};
    }
  }
  return best;
}
