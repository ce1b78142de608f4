// The unit switch and the solves behind the dialog's buttons, on any face.
#include "dialog_actions.h"

#include "dialog_controls.h"
#include "solve.h"
#include "window_ops.h"

void SwitchLengthUnit(int optionId) {
  for (const LengthUnit* unit : LENGTH_UNITS) {
    if (optionId != unit->optionId) continue;
    lengthScale = unit->scale;
    SetControlText(IDC_DIAMETER_UNIT, unit->fieldLabel);
    SetControlText(IDC_HEIGHT_UNIT, unit->fieldLabel);
  }
  for (const ResultCaption& caption : UNIT_SWITCH_CAPTIONS)
    SetControlText(caption.id, caption.text);
}

void SolveInMode(std::int16_t mode) {
  solveMode = mode;
  SolveCoil();
}
