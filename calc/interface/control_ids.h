// Control identifiers of the main dialog, one band per kind of control.
// Bands: 2001-2012 fields, result lines, unit box, group boxes | 2050-2057 labels |
//        2100 Quit | 2200-2205 unit options, sketch, other push buttons.
#pragma once

// 2001-2012: entry fields, result lines, the inductance unit box, group boxes
constexpr int IDC_DIAMETER = 2001;
constexpr int IDC_HEIGHT = 2002;
constexpr int IDC_TURNS = 2003;
constexpr int IDC_INDUCTANCE_UNIT = 2004;
constexpr int IDC_WIRE_LENGTH = 2005;
constexpr int IDC_WIRE_SIZE = 2006;
constexpr int IDC_CAPACITANCE = 2007;
constexpr int IDC_RESONANCE = 2008;
constexpr int IDC_UNITS_FRAME = 2009;
constexpr int IDC_WINDING_FRAME = 2010;
constexpr int IDC_INDUCTANCE = 2011;
constexpr int IDC_CALCULATE_FRAME = 2012;

// 2050-2057: labels
constexpr int IDC_DIAMETER_LABEL = 2050;
constexpr int IDC_DIAMETER_UNIT = 2051;
constexpr int IDC_HEIGHT_LABEL = 2052;
constexpr int IDC_HEIGHT_UNIT = 2053;
constexpr int IDC_TURNS_LABEL = 2054;
constexpr int IDC_INDUCTANCE_LABEL = 2057;

// 2100: the end of the program
constexpr int IDC_QUIT = 2100;

// 2200-2205: unit options, sketch, the other push buttons
constexpr int IDC_UNIT_MM = 2200;
constexpr int IDC_UNIT_INCHES = 2201;
constexpr int IDC_SKETCH = 2202;
constexpr int IDC_ABOUT = 2203;
constexpr int IDC_SOLVE_INDUCTANCE = 2204;
constexpr int IDC_SOLVE_TURNS = 2205;
