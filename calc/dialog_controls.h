// The main dialog described once: each control's id, kind, field name, start-up text and place.
//
// The Windows program builds its controls from this table (adding class, styles, colours and
// handlers), the in-memory dialog of the command line and tests takes names and texts from it,
// and the browser page lays itself out from it. Nothing here needs a window system.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "control_ids.h"
#include "version.h"

// What a control is; the window side turns it into a class and styles.
enum class ControlKind {
  PushButton,
  OptionButton,
  GroupBox,
  Label,
  InputField,
  OutputLine,
  ComboBox,
  Image
};

// How a control departs from the usual styles of its kind. Both variants start a new dialog
// group or stand apart from the Tab order, so none of them is a tab stop.
enum class StyleVariant {
  Usual,
  GroupStart,  // starts a dialog group instead of being a tab stop
  PushLike,    // drawn as a push-like button instead of being a tab stop
};

struct DialogControl {
  int id;
  ControlKind kind;
  const char* fieldName;  // the name a solve's trace and the batch requests use; "" if none
  const char* startText;
  short x, y, w, h;  // dialog units of the dialog's 8-point "MS Sans Serif"
  bool coloured;     // drawn on MAIN_BACKGROUND
  StyleVariant variant;
};

// The dialog's caption: a title, the version and the author, joined without separators.
inline constexpr const char* CAPTION_TITLE =
    "Inductance Calculator - Single-layer Air-core Coil    ";
inline constexpr const char* CAPTION_AUTHOR = "       by: Zorvik";
inline std::string DialogCaption() {
  return std::string(CAPTION_TITLE) + "v" + VERSION_TEXT + CAPTION_AUTHOR;
}

// The inductance units the solve knows, in the order the drop-down lists them; any other
// text of the unit box counts as microhenries.
inline constexpr const char* NANOHENRIES = "nH";
inline constexpr const char* MICROHENRIES = "uH";
inline constexpr const char* MILLIHENRIES = "mH";
inline constexpr std::array<const char*, 3> INDUCTANCE_UNITS = {NANOHENRIES, MICROHENRIES,
                                                                MILLIHENRIES};

// A length unit the user can choose, with the texts that name it.
struct LengthUnit {
  const char* name;  // "in" or "mm": the unit's name on the command line and in batch requests
  float scale;       // lengthScale while the unit is selected
  const char* fieldLabel;    // the label beside the diameter and height fields
  const char* resultSuffix;  // what follows the wire length
  int optionId;              // its option button
};
// The millimetre factor is the float nearest to 25.4.
inline constexpr LengthUnit INCHES = {"in", 1.0f, " inches", "  inches", IDC_UNIT_INCHES};
inline constexpr LengthUnit MILLIMETRES = {"mm", 25.4f, " mm", "  mm", IDC_UNIT_MM};
inline constexpr std::array<const LengthUnit*, 2> LENGTH_UNITS = {&INCHES, &MILLIMETRES};

// The captions of the four result lines. A completed solve writes each line as its result
// caption, the number and a unit; a switch of the length unit puts the wire length, the
// capacitance and the resonance back to their result captions and the wire size to its
// start-up caption.
inline constexpr const char* WIRE_LENGTH_CAPTION = "Wire Length: ";  // also at start-up
inline constexpr const char* WIRE_SIZE_START_CAPTION = "Maximum wire size (AWG):";
inline constexpr const char* WIRE_SIZE_CAPTION = "Maximum wire size: ";
inline constexpr const char* CAPACITANCE_START_CAPTION = "Stray Capacitance:";
inline constexpr const char* CAPACITANCE_CAPTION = "Stray Capacitance:  ";
inline constexpr const char* RESONANCE_START_CAPTION = "Self-resonant at approximately:";
inline constexpr const char* RESONANCE_CAPTION = "Self-resonant at approximately:  ";

// The dialog's template size and font.
inline constexpr const char* DIALOG_FONT = "MS Sans Serif";
inline constexpr int DIALOG_FONT_POINTS = 8;
inline constexpr short DIALOG_WIDTH = 380;
inline constexpr short DIALOG_HEIGHT = 250;
// The pale cream of the dialog and its coloured controls, as red, green, blue.
inline constexpr unsigned char MAIN_BACKGROUND_RGB[3] = {255, 245, 210};

// In creation order, which is also the tab order and the Z order.
inline constexpr std::array<DialogControl, 25> DIALOG_CONTROLS = {{
    // clang-format off
    // id                    kind                       field name         start-up text
    //   x    y    w    h  coloured  variant
    {IDC_UNIT_MM,           ControlKind::OptionButton, "",                "mm",
      95,  10,  25,  12, true,  StyleVariant::GroupStart},
    {IDC_UNIT_INCHES,       ControlKind::OptionButton, "",                "inches",
     125,  10,  40,  12, true,  StyleVariant::Usual},
    {IDC_UNITS_FRAME,       ControlKind::GroupBox,     "",                "Units of Length",
      30,   5, 140,  20, true,  StyleVariant::Usual},
    {IDC_QUIT,              ControlKind::PushButton,   "",                "Quit!",
     150, 210,  80,  30, false, StyleVariant::GroupStart},
    {IDC_SKETCH,            ControlKind::Image,        "",                "",
     250,  35,  95, 160, true,  StyleVariant::Usual},
    {IDC_SOLVE_INDUCTANCE,  ControlKind::PushButton,   "",                "Solve for Inductance",
     155, 108,  75,  15, false, StyleVariant::Usual},
    {IDC_SOLVE_TURNS,       ControlKind::PushButton,   "",                "Solve for # of turns",
     125, 128,  75,  15, false, StyleVariant::Usual},
    {IDC_ABOUT,             ControlKind::PushButton,   "",                "About this program",
     245,  10, 100,  15, false, StyleVariant::PushLike},
    {IDC_CALCULATE_FRAME,   ControlKind::GroupBox,     "",                "Calculate",
      10,  95, 230, 110, true,  StyleVariant::Usual},
    {IDC_DIAMETER,          ControlKind::InputField,   "diameter",        "",
      70,  50,  50,  12, false, StyleVariant::Usual},
    {IDC_HEIGHT,            ControlKind::InputField,   "height",          "",
      70,  65,  50,  12, false, StyleVariant::Usual},
    {IDC_TURNS,             ControlKind::InputField,   "turns",           "",
      80, 130,  40,  13, false, StyleVariant::Usual},
    {IDC_INDUCTANCE,        ControlKind::InputField,   "inductance",      "",
      80, 110,  40,  13, false, StyleVariant::Usual},
    {IDC_WIRE_LENGTH,       ControlKind::OutputLine,   "wire_length",     WIRE_LENGTH_CAPTION,
      20, 152, 150,  12, true,  StyleVariant::Usual},
    {IDC_WIRE_SIZE,         ControlKind::OutputLine,   "wire_size",       WIRE_SIZE_START_CAPTION,
      20, 164, 150,  12, true,  StyleVariant::Usual},
    {IDC_CAPACITANCE,       ControlKind::OutputLine,   "capacitance",     CAPACITANCE_START_CAPTION,
      20, 176, 150,  12, true,  StyleVariant::Usual},
    {IDC_RESONANCE,         ControlKind::OutputLine,   "resonance",       RESONANCE_START_CAPTION,
      20, 188, 150,  12, true,  StyleVariant::Usual},
    {IDC_INDUCTANCE_UNIT,   ControlKind::ComboBox,     "inductance_unit", MICROHENRIES,
     120, 110,  28,  48, false, StyleVariant::Usual},
    {IDC_DIAMETER_LABEL,    ControlKind::Label,        "",                "Form diameter",
      15,  50,  50,  12, true,  StyleVariant::Usual},
    {IDC_DIAMETER_UNIT,     ControlKind::Label,        "",                INCHES.fieldLabel,
     130,  50,  30,  12, true,  StyleVariant::Usual},
    {IDC_HEIGHT_LABEL,      ControlKind::Label,        "",                "Winding height",
      15,  65,  50,  12, true,  StyleVariant::Usual},
    {IDC_HEIGHT_UNIT,       ControlKind::Label,        "",                INCHES.fieldLabel,
     130,  65,  30,  12, true,  StyleVariant::Usual},
    {IDC_TURNS_LABEL,       ControlKind::Label,        "",                "Enter # of Turns:",
      15, 130,  60,  12, true,  StyleVariant::Usual},
    {IDC_INDUCTANCE_LABEL,  ControlKind::Label,        "",                "Enter Inductance:",
      15, 110,  60,  12, true,  StyleVariant::Usual},
    {IDC_WINDING_FRAME,     ControlKind::GroupBox,     "",                "Winding Data",
      10,  35, 165,  50, true,  StyleVariant::Usual},
    // clang-format on
}};

// The four result lines' captions after a switch of the length unit.
struct ResultCaption {
  int id;
  const char* text;
};
inline constexpr std::array<ResultCaption, 4> UNIT_SWITCH_CAPTIONS = {{
    {IDC_WIRE_LENGTH, WIRE_LENGTH_CAPTION},
    {IDC_WIRE_SIZE, WIRE_SIZE_START_CAPTION},
    {IDC_CAPACITANCE, CAPACITANCE_CAPTION},
    {IDC_RESONANCE, RESONANCE_CAPTION},
}};

// The row of control `id`, or nullptr for an id that is not the dialog's.
constexpr const DialogControl* FindDialogControl(int id) {
  for (const DialogControl& control : DIALOG_CONTROLS) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

// The Tab key stops on push buttons, option buttons and input fields of the usual variant.
constexpr bool IsTabStop(const DialogControl& control) {
  const bool kindStops = control.kind == ControlKind::PushButton ||
                         control.kind == ControlKind::OptionButton ||
                         control.kind == ControlKind::InputField;
  return kindStops && control.variant == StyleVariant::Usual;
}

// The controls that have a field name, with the name's length, so that a batch request's
// names are looked up without measuring every name of the table.
struct NamedField {
  std::string_view name;
  int id;
};
inline constexpr std::size_t NAMED_FIELD_COUNT = [] {
  std::size_t count = 0;
  for (const DialogControl& control : DIALOG_CONTROLS) count += control.fieldName[0] != '\0';
  return count;
}();
inline constexpr auto NAMED_FIELDS = [] {
  std::array<NamedField, NAMED_FIELD_COUNT> fields{};
  std::size_t next = 0;
  for (const DialogControl& control : DIALOG_CONTROLS) {
    if (control.fieldName[0] != '\0') fields[next++] = {control.fieldName, control.id};
  }
  return fields;
}();

// The control id of a field name, or 0 for a name that is not a field's.
constexpr int FieldId(std::string_view name) {
  for (const NamedField& field : NAMED_FIELDS) {
    if (name == field.name) return field.id;
  }
  return 0;
}
