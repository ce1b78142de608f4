// The first resonance of a coil, open or grounded at its lower end: its winding as a finite
// sheath helix, half a wave long when open, about a quarter when grounded.
//
// The winding is a sheath helix: a cylinder of radius a = Dw/2 and length H whose surface
// conducts only along the wire's direction, at the pitch angle psi with cot psi = pi Dw / p.
// Its lowest mode with both ends open carries the current I(z) = cos(pi z / H) along the wire
// (zero at the ends: nothing flows out of an open end) and the charge per length -dI/dz / (j w).
// The resonance is the Rayleigh quotient of that mode, the electric energy over the magnetic:
//
//   (k a)^2 = Q / (cot^2 psi  A + B),   f = k c / (2 pi)
//
//   Q  = the charge's self-potential:        sum over pairs of rings of I'(z) I'(z') g0
//   A  = the azimuthal current's inductance: sum over pairs of loops of I(z) I(z') g1
//   B  = the axial current's inductance:     sum over pairs of rings of I(z) I(z') g0
//
// with g0 and g1 the ring-to-ring kernels of Maxwell's coaxial rings and loops (complete
// elliptic integrals). On an infinite helix the same quotient for one wavelength gives the
// quasi-static sheath-helix dispersion relation of Pierce and Sensiper,
// (beta a)^2 I0 K0 = (k a)^2 (cot^2 psi I1 K1 + I0 K0); here the ends are the winding's own:
// the mode's fields fringe past them as the kernels say, with no end correction added.
//
// The sheet leaves out the round wires' own field, which the row of wires s = p cos psi apart
// across the wire gives (wire_row.h, the numerical model of scripts/wire_row_model.py):
// - each wire's own field, Lambda (ln(s / (pi d)) for thin wires, less as they near touching),
//   added to the kernels at zero separation, per length of wire: in the inductance, as Rosa's
//   correction does at radio frequencies (no field inside the wire), and in the elastance;
// - the row's polarisation by the field along the axis, alpha: the capacitance crowded into the
//   gaps between neighbouring turns, K = 2 pi a eps0 alpha per length of axis, in series along
//   the winding across its inductance L' per length of the mode: the resonance is f0 /
//   sqrt(1 + (2 pi f0)^2 L' K). It grows as 1 / sqrt(gap) as the turns close; turns closer
//   than a gap of 2 % of s are taken at it.
// The wires' exclusion of the magnetic field at radio frequencies, which lowers the inductance
// by a few per cent on close windings (scripts/proximity_model.py exclusion), is left out; the
// rings of round wire (scripts/wire_row_model.py rings) say the row holds most of the electric
// part (docs/accuracy.md).
//
// Quasi-static (no retardation): good while the wave along the axis is well below c.
//
// Grounded at its lower end, b above a ground plane, the winding stands over its image: the
// image's charge and azimuthal current reversed, its axial current not. The current is sought
// as a combination of cos(k x) and cos(3 k x), k = pi / (2H), x from the lower end (both
// greatest at the ground and nothing at the open top): the least root of the 2 x 2 problem
// det(Q - (k a)^2 M) = 0 of their pair sums, with the image's pairs, the wires' own field and the
// lead from the ground (a straight wire at the winding's radius, with its image; its mutual
// inductance with the winding left out). The cosine alone reads up to 10 % high against NEC-2
// over a perfect ground; the pair reads -2.6 % to +2.9 % over the grid of docs/accuracy.md.
#pragma once

// The first self-resonance, hertz, of N turns of wire d thick on the diameter Dw (wire centre
// to centre) over a winding H long; NaN for arguments that are not finite and above 0.
double HelixResonance(double Dw, double H, double N, double d);

// The first resonance, hertz, of the same winding with its lower end joined to a ground plane
// b below it (0 or more) by a straight lead: its quarter-wave-like mode, the current greatest
// at the ground and nothing at the open top, over the ground's image (see
// helix_resonance.cpp); NaN for arguments that are not finite and above 0 (b: 0 or more).
double GroundedHelixResonance(double Dw, double H, double N, double d, double b);
