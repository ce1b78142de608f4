// The field of a row of round wires that a smooth sheet of current and charge leaves out: the
// turns of a winding seen across the wire, from the numerical model of scripts/wire_row_model.py.
#pragma once

// For wires d thick, their centres s apart, at x = d / s:
//   selfField  Lambda, each wire's own potential (charge q) over the sheet's at the row's plane,
//              in units of q / (2 pi eps0); ln(s / (pi d)) for thin wires, and as much per
//              length of wire in the inductance, mu0 / (2 pi), at radio frequencies;
//   gapField   alpha / s, the row's polarisation by a field E along it, across the wires, as a
//              dipole moment eps0 alpha E per area: 2 pi r^2 / s for thin wires, growing
//              without bound as the gaps between neighbours close.
// A row closer than WIRE_ROW_CLOSEST (the gaps under 2 % of s) is taken at it: enamel keeps
// real turns about that far apart. NaN for an x that is not finite and above 0.
struct WireRow {
  double selfField;
  double gapField;
};
WireRow RowOfWires(double x);
