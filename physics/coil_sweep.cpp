// The coil over a band: its resistance and inductance with the capacitance that makes them
// resonate at the self-resonance, and the band's frequencies.
#include "coil_sweep.h"

#include <algorithm>
#include <cmath>

namespace {

// `value` rounded down (`up` false) or up to two significant digits, from 10 Hz on, so that
// it is a whole number of hertz of at most two digits and zeros.
double TwoDigits(double value, bool up) {
  double scale = 1;
  while (scale * 100 <= value) scale *= 10;
  const double mantissa = up ? std::ceil(value / scale) : std::floor(value / scale);
  return std::max(mantissa, 10.0) * scale;
}

}  // namespace

double SweepFrequency(const SweepBand& band, int k) {
  if (k <= 0) return band.from;
  if (k >= band.points - 1) return band.to;
  const double share = static_cast<double>(k) / (band.points - 1);
  return band.from * std::exp(share * std::log(band.to / band.from));
}

ReferenceFault MakeCoilCircuit(double D, double H, double N, double d, const CoilReference& coil,
                               double celsius, CoilCircuit& circuit) {
  FrequencyReference atResonance;
  const ReferenceFault fault =
      ComputeFrequencyReference(D, H, N, d, coil, coil.selfResonance, celsius, atResonance);
  if (fault != ReferenceFault::NONE) return fault;
  CoilCircuit out{D, H, N, d, celsius, coil.inductance, coil.selfResonance, 0};
  const double reactance = 2 * PI * coil.selfResonance * coil.inductance;
  const double resistance = atResonance.acResistance;
  out.capacitance = coil.inductance / (reactance * reactance + resistance * resistance);
  if (!std::isnormal(out.capacitance)) return ReferenceFault::OUT_OF_RANGE;
  circuit = out;
  return ReferenceFault::NONE;
}

ReferenceFault CircuitResistance(const CoilCircuit& c, double frequency, double& resistance) {
  const CoilReference coil{c.inductance,    c.inductance,    c.capacitance,
                           c.selfResonance, c.selfResonance, c.selfResonance};
  FrequencyReference at;
  const ReferenceFault fault =
      ComputeFrequencyReference(c.D, c.H, c.N, c.d, coil, frequency, c.celsius, at);
  if (fault == ReferenceFault::NONE) resistance = at.acResistance;
  return fault;
}

std::complex<double> ParallelCapacitance(std::complex<double> branch, double susceptance) {
  // Z = branch / (1 + j b branch) = branch / (re + j im), divided out by hand (the same digits
  // from every C library), its real part R / |re + j im|^2 without the cancellation of
  // R re + X im, which would leave R far above the resonance to a few digits.
  const double re = 1 - susceptance * branch.imag();
  const double im = susceptance * branch.real();
  const double scale = re * re + im * im;
  return {branch.real() / scale, (branch.imag() - susceptance * (branch.real() * branch.real() +
                                                                 branch.imag() * branch.imag())) /
                                     scale};
}

std::complex<double> CircuitImpedance(const CoilCircuit& c, double frequency, double resistance) {
  const double omega = 2 * PI * frequency;
  const std::complex<double> branch(resistance, omega * c.inductance);
  return ParallelCapacitance(branch, omega * c.capacitance);
}

ReferenceFault SweepCircuit(const CoilCircuit& circuit, const SweepBand& band,
                            std::vector<ImpedancePoint>& points) {
  std::vector<ImpedancePoint> out(static_cast<std::size_t>(band.points));
  for (int k = 0; k < band.points; ++k) {
    ImpedancePoint& point = out[static_cast<std::size_t>(k)];
    point.frequency = SweepFrequency(band, k);
    double resistance = 0;
    const ReferenceFault fault = CircuitResistance(circuit, point.frequency, resistance);
    if (fault != ReferenceFault::NONE) return fault;
    const std::complex<double> z = CircuitImpedance(circuit, point.frequency, resistance);
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
      return ReferenceFault::FREQUENCY_OUT_OF_RANGE;
    point.resistance = z.real();
    point.reactance = z.imag();
  }
  points = std::move(out);
  return ReferenceFault::NONE;
}

SweepBand DefaultSweepBand(double selfResonance, double frequency) {
  const double low = frequency > 0 ? std::min(frequency, selfResonance) / 10 : selfResonance / 100;
  const double high = 2 * std::max(frequency, selfResonance);
  return {TwoDigits(low, false), TwoDigits(high, true), DEFAULT_SWEEP_POINTS};
}
