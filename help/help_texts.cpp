// The fixed help texts: the About text and the context-help table of the dialog's items.
#include "help_texts.h"

#include "control_ids.h"

namespace {

// Line breaks are CR LF throughout, as a message box expects; no text ends with one.
constexpr const char* aboutText =
    "This program calculates the inductance or required number of\r\n"
    "turns for a single-layer air-core unshielded cylindrical coil.\r\n"
    "\r\n"
    "To use the program:\r\n"
    "      1) Select units of length (millimeters or inches)\r\n"
    "      2) Enter coil form diameter and winding height.\r\n"
    "      3) Enter either number of turns, or value of\r\n"
    "         inductance (or both).\r\n"
    "      4) Next, click on the 'Solve for ...' button\r\n"
    "         for the parameter you want to find.\r\n"
    "\r\n"
    "The program displays inductance, number of turns, rough\r\n"
    "estimates of stray capacitance and self-resonant frequency, wire\r\n"
    "size, and length of wire required to wind the coil. Wire size is\r\n"
    "the heaviest gauge that can be used, assuming enamel-coated\r\n"
    "solid copper wire, with turns spaced as closely as possible.\r\n"
    "\r\n"
    "Inductance values are most accurate at frequencies well\r\n"
    "below the self-resonant frequency. Due to the effect\r\n"
    "of stray capacitance, the impedance of the inductor will increase\r\n"
    "rapidly as the operating frequency approaches self-resonance.\r\n"
    "\r\n"
    "Program limitations: Coil diameter/height ratio must be\r\n"
    "less than 10 and greater than 0.1. The minimum allowable\r\n"
    "number of turns is 2. The maximum number of turns is 16384.\r\n"
    "\r\n"
    "NOTE: For detailed information on individual items,\r\n"
    "click on the question mark (?) in the title bar and then\r\n"
    "on an item in the dialog box.";

// One row per text with the controls it serves: an entry field shares its text with the
// label in front of it. An id of 0 fills the second place of a row that serves one control.
struct HelpRow {
  int ids[2];
  const char* text;
};

constexpr HelpRow helpTable[] = {
    {{IDC_DIAMETER, IDC_DIAMETER_LABEL}, "Enter outside diameter of the coil form."},
    {{IDC_HEIGHT, IDC_HEIGHT_LABEL},
     "Enter end-to-end height of the coil winding (See sketch).\r\n"
     "The wire is assumed to be solid copper enamel-covered\r\n"
     " magnet wire, with turns spaced as closely as possible."},
    {{IDC_TURNS, IDC_TURNS_LABEL},
     "Enter number of turns.\r\n"
     "\r\n"
     "Must be less than 16384 and more than 2."},
    {{IDC_INDUCTANCE_LABEL, IDC_INDUCTANCE},
     "Enter desired inductance. Use the pull-down menu to select\r\n"
     "units (nanohenries, microhenries or millihenries)."},
    {{IDC_WIRE_LENGTH, 0},
     "Total length of wire required to wind the inductor.\r\n"
     "Does not include external lead length."},
    {{IDC_WIRE_SIZE, 0},
     "Maximum wire size based on the specified number of turns\r\n"
     "and winding height. The wire is assumed to be solid copper\r\n"
     "enamel-covered magnet wire, with turns spaced as closely\r\n"
     "as possible. In calculating the inductance, a small\r\n"
     "correction is made to account for the thickness of the\r\n"
     "enamel insulation and for irregularities due to\r\n"
     "hand-winding the coil."},
    {{IDC_CAPACITANCE, IDC_RESONANCE},
     "Stray capacitance and self-resonant frequency are only\r\n"
     " rough approximations, as these depend strongly on factors\r\n"
     " like coil form material and proximity to nearby conductors."},
};

}  // namespace

const char* AboutText() { return aboutText; }

const char* ContextHelpText(int id) {
  // 0 only pads rows; no control has it, so it must not find a text.
  if (id == 0) return nullptr;
  for (const HelpRow& row : helpTable) {
    for (int rowId : row.ids) {
      if (rowId == id) return row.text;
    }
  }
  return nullptr;
}
