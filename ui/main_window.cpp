// The main dialog: in-memory template, the control table, colours, dispatch and the modal run.
#include "main_window.h"

#include <array>
#include <string>
#include <vector>

#include "control_ids.h"
#include "handlers.h"
#include "help.h"
#include "solve.h"
#include "test_hooks.h"

HWND mainDialog = nullptr;

namespace {

// The caption is kept as the three pieces it has always been made of.
const char* const CAPTION_TITLE = "Inductance Calculator - Single-layer Air-core Coil    ";
const char* const CAPTION_VERSION = "v1.05";
const char* const CAPTION_AUTHOR = "       by: Zorvik";

const char* const DIALOG_FONT = "MS Sans Serif";
constexpr WORD DIALOG_FONT_POINTS = 8;
constexpr short DIALOG_WIDTH = 380;
constexpr short DIALOG_HEIGHT = 250;

// DS_CONTEXTHELP puts the "?" button on the title bar. Windows derives WS_EX_CONTEXTHELP
// from it, Wine does not; giving it in the template makes both show the same window.
constexpr DWORD DIALOG_STYLE =
    WS_CAPTION | WS_SYSMENU | DS_CONTEXTHELP | DS_SETFONT | DS_3DLOOK | DS_NOFAILCREATE | DS_CENTER;
constexpr DWORD DIALOG_EX_STYLE = WS_EX_CONTEXTHELP;

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD PUSH_BUTTON = CHILD | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD OPTION_BUTTON = CHILD | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD GROUP_BOX = CHILD | BS_GROUPBOX;
constexpr DWORD LABEL = CHILD | SS_LEFT;
constexpr DWORD INPUT_FIELD = CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD OUTPUT_LINE = CHILD | ES_READONLY;
constexpr DWORD COMBO_BOX = CHILD | WS_VSCROLL | CBS_DROPDOWN;
constexpr DWORD IMAGE = CHILD | SS_BITMAP;

struct ControlRow {
  const char* className;
  DWORD style;
  DWORD exStyle;
  int id;
  const char* text;
  const std::string* resultLine;  // the result lines take their text from the solve's strings
  short x, y, w, h;               // dialog units
  bool coloured;                  // drawn on MAIN_BACKGROUND
  EventHandler handler;
};

// In creation order, which is also the tab order and the Z order.
const std::array<ControlRow, 25> controls = {{
    // clang-format off
    {"BUTTON", CHILD | WS_GROUP | BS_AUTORADIOBUTTON, 0, IDC_UNIT_MM, "mm", nullptr,
     95, 10, 25, 12, true, UnitOptionCallback},
    {"BUTTON", OPTION_BUTTON, 0, IDC_UNIT_INCHES, "inches", nullptr,
     125, 10, 40, 12, true, UnitOptionCallback},
    {"BUTTON", GROUP_BOX, 0, IDC_UNITS_FRAME, "Units of Length", nullptr,
     30, 5, 140, 20, true, nullptr},
    {"BUTTON", CHILD | WS_GROUP | BS_PUSHBUTTON, 0, IDC_QUIT, "Quit!", nullptr,
     150, 210, 80, 30, false, QuitCallback},
    {"STATIC", IMAGE, 0, IDC_SKETCH, "", nullptr,
     250, 35, 95, 160, true, nullptr},
    {"BUTTON", PUSH_BUTTON, 0, IDC_SOLVE_INDUCTANCE, "Solve for Inductance", nullptr,
     155, 108, 75, 15, false, SolveInductanceCallback},
    {"BUTTON", PUSH_BUTTON, 0, IDC_SOLVE_TURNS, "Solve for # of turns", nullptr,
     125, 128, 75, 15, false, SolveTurnsCallback},
    {"BUTTON", CHILD | BS_PUSHLIKE | BS_PUSHBUTTON, 0, IDC_ABOUT, "About this program", nullptr,
     245, 10, 100, 15, false, AboutCallback},
    {"BUTTON", GROUP_BOX, 0, IDC_CALCULATE_FRAME, "Calculate", nullptr,
     10, 95, 230, 110, true, nullptr},
    {"EDIT", INPUT_FIELD, WS_EX_CLIENTEDGE, IDC_DIAMETER, "", nullptr,
     70, 50, 50, 12, false, nullptr},
    {"EDIT", INPUT_FIELD, WS_EX_CLIENTEDGE, IDC_HEIGHT, "", nullptr,
     70, 65, 50, 12, false, nullptr},
    {"EDIT", INPUT_FIELD, WS_EX_CLIENTEDGE, IDC_TURNS, "", nullptr,
     80, 130, 40, 13, false, nullptr},
    {"EDIT", INPUT_FIELD, WS_EX_CLIENTEDGE, IDC_INDUCTANCE, "", nullptr,
     80, 110, 40, 13, false, nullptr},
    {"EDIT", OUTPUT_LINE, 0, IDC_WIRE_LENGTH, nullptr, &wireLengthText,
     20, 152, 150, 12, true, nullptr},
    {"EDIT", OUTPUT_LINE, 0, IDC_WIRE_SIZE, nullptr, &wireSizeText,
     20, 164, 150, 12, true, nullptr},
    {"EDIT", OUTPUT_LINE, 0, IDC_CAPACITANCE, nullptr, &capacitanceText,
     20, 176, 150, 12, true, nullptr},
    {"EDIT", OUTPUT_LINE, 0, IDC_RESONANCE, nullptr, &resonanceText,
     20, 188, 150, 12, true, nullptr},
    {"COMBOBOX", COMBO_BOX, 0, IDC_INDUCTANCE_UNIT, "", nullptr,
     120, 110, 28, 48, false, nullptr},
    {"STATIC", LABEL, 0, IDC_DIAMETER_LABEL, "Form diameter", nullptr,
     15, 50, 50, 12, true, nullptr},
    {"STATIC", LABEL, 0, IDC_DIAMETER_UNIT, " inches", nullptr,
     130, 50, 30, 12, true, nullptr},
    {"STATIC", LABEL, 0, IDC_HEIGHT_LABEL, "Winding height", nullptr,
     15, 65, 50, 12, true, nullptr},
    {"STATIC", LABEL, 0, IDC_HEIGHT_UNIT, " inches", nullptr,
     130, 65, 30, 12, true, nullptr},
    {"STATIC", LABEL, 0, IDC_TURNS_LABEL, "Enter # of Turns:", nullptr,
     15, 130, 60, 12, true, nullptr},
    {"STATIC", LABEL, 0, IDC_INDUCTANCE_LABEL, "Enter Inductance:", nullptr,
     15, 110, 60, 12, true, nullptr},
    {"BUTTON", GROUP_BOX, 0, IDC_WINDING_FRAME, "Winding Data", nullptr,
     10, 35, 165, 50, true, nullptr},
    // clang-format on
}};

HBRUSH mainBackgroundBrush = nullptr;

const ControlRow* FindControl(int id) {
  for (const ControlRow& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

// A DLGTEMPLATE with no controls. It must start on a DWORD boundary, and its strings are
// UTF-16 even for the ...A functions.
struct DialogTemplate {
  alignas(4) std::array<WORD, 256> words{};
  size_t used = 0;
};

void PutWord(DialogTemplate& t, WORD value) { t.words[t.used++] = value; }

void PutText(DialogTemplate& t, const std::string& text) {
  // Every text of the template is plain ASCII, so widening each byte is the conversion.
  for (const char c : text) PutWord(t, static_cast<unsigned char>(c));
  PutWord(t, 0);
}

void BuildTemplate(DialogTemplate& t, const std::string& caption) {
  PutWord(t, LOWORD(DIALOG_STYLE));
  PutWord(t, HIWORD(DIALOG_STYLE));
  PutWord(t, LOWORD(DIALOG_EX_STYLE));
  PutWord(t, HIWORD(DIALOG_EX_STYLE));
  PutWord(t, 0);  // no controls: they are created one by one from the table
  PutWord(t, 0);  // x and y: DS_CENTER places the dialog
  PutWord(t, 0);
  PutWord(t, DIALOG_WIDTH);
  PutWord(t, DIALOG_HEIGHT);
  PutWord(t, 0);  // no menu
  PutWord(t, 0);  // the standard dialog class
  PutText(t, caption);
  PutWord(t, DIALOG_FONT_POINTS);
  PutText(t, DIALOG_FONT);
}

INT_PTR ColourReply(UINT message, WPARAM wParam, LPARAM lParam) {
  bool coloured = message == WM_CTLCOLORDLG;
  if (!coloured) {
    const ControlRow* control = FindControl(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
    coloured = control != nullptr && control->coloured;
  }
  if (!coloured) return FALSE;
  const HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkColor(dc, MAIN_BACKGROUND);
  SetTextColor(dc, GetSysColor(message == WM_CTLCOLORBTN ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
  return reinterpret_cast<INT_PTR>(mainBackgroundBrush);
}

// The dialog procedure: a control's own handler first, then DialogCallback, then the
// dialog's standard treatment.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    const ControlRow* control = FindControl(LOWORD(wParam));
    if (control != nullptr && control->handler != nullptr) {
      const LONG result = control->handler(dialog, message, wParam, lParam);
      if (!IsWindow(dialog)) return TRUE;  // "Quit!": nothing is left to handle the message
      if (result != 0) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
        return TRUE;
      }
    }
  }
  if (const LONG result = DialogCallback(dialog, message, wParam, lParam); result != 0) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
  }
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndMainDialog(dialog);
        return TRUE;
      }
      break;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      return ColourReply(message, wParam, lParam);
    default:
      break;
  }
  return FALSE;
}

HWND CreateControl(HINSTANCE instance, HFONT font, const ControlRow& row) {
  RECT box = {row.x, row.y, row.x + row.w, row.y + row.h};
  MapDialogRect(mainDialog, &box);
  const char* text = row.resultLine != nullptr ? row.resultLine->c_str() : row.text;
  const HWND control =
      CreateWindowExA(row.exStyle, row.className, text, row.style, box.left, box.top,
                      box.right - box.left, box.bottom - box.top, mainDialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void ShowSketch(HINSTANCE instance, HWND control) {
  RECT client;
  GetClientRect(control, &client);
  // Stretched to the control; if it cannot be loaded the control stays blank.
  const HANDLE sketch = LoadImageA(instance, "IndSketch", IMAGE_BITMAP, client.right, client.bottom,
                                   LR_LOADMAP3DCOLORS);
  SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(sketch));
}

void RunModal() {
  ShowWindow(mainDialog, SW_SHOW);
  MSG message;
  while (IsWindow(mainDialog)) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      Sleep(1);
      continue;
    }
    if (!IsDialogMessageA(mainDialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

void EndMainDialog(HWND dialog) {
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  DestroyWindow(dialog);
}

int RunMainWindow(HINSTANCE instance) {
  mainBackgroundBrush = CreateSolidBrush(MAIN_BACKGROUND);
  lengthScale = 1.0f;
  wireLengthText = "Wire Length: ";
  wireSizeText = "Maximum wire size (AWG):";
  capacitanceText = "Stray Capacitance:";
  resonanceText = "Self-resonant at approximately:";
  std::vector<std::string> inductanceUnits = {"nH", "uH", "mH"};

  DialogTemplate dialogTemplate;
  BuildTemplate(dialogTemplate, std::string(CAPTION_TITLE) + CAPTION_VERSION + CAPTION_AUTHOR);
  mainDialog = CreateDialogIndirectParamA(
      instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.words.data()), nullptr,
      MainDialogProc, 0);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(mainDialog, WM_GETFONT, 0, 0));

  for (const ControlRow& row : controls) {
    const HWND control = CreateControl(instance, font, row);
    if (row.id == IDC_UNIT_INCHES) {
      CheckRadioButton(mainDialog, IDC_UNIT_MM, IDC_UNIT_INCHES, IDC_UNIT_INCHES);
    } else if (row.id == IDC_SKETCH) {
      ShowSketch(instance, control);
    } else if (row.id == IDC_INDUCTANCE_UNIT) {
      for (const std::string& unit : inductanceUnits) {
        if (!unit.empty())
          SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit.c_str()));
      }
      SetWindowTextA(control, "uH");
    }
  }

  InstallTestHooks(mainDialog);
  RunModal();
  inductanceUnits.clear();
  return 0;
}
