// The main dialog: in-memory template, the control table, colours, dispatch and the modal run.
#include "main_window.h"

#include <array>
#include <string>

#include "dialog_controls.h"
#include "handlers.h"
#include "help_handlers.h"
#include "solve.h"
#include "test_hooks.h"

HWND mainDialog = nullptr;

namespace {

// DS_CONTEXTHELP puts the "?" button on the title bar. Windows derives WS_EX_CONTEXTHELP
// from it, Wine does not; giving it in the template makes both show the same window.
constexpr DWORD DIALOG_STYLE =
    WS_CAPTION | WS_SYSMENU | DS_CONTEXTHELP | DS_SETFONT | DS_3DLOOK | DS_NOFAILCREATE | DS_CENTER;
constexpr DWORD DIALOG_EX_STYLE = WS_EX_CONTEXTHELP;

// The resource name of the coil sketch (resource names match without regard to case).
const char* const SKETCH_RESOURCE = "IndSketch";

// What the Windows program adds to a row of the dialog's table: its class and styles.
struct WindowClassAndStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;

WindowClassAndStyle ClassAndStyle(const DialogControl& control) {
  WindowClassAndStyle result{};
  switch (control.kind) {
    case ControlKind::PushButton:
      result = {"BUTTON", CHILD | BS_PUSHBUTTON, 0};
      break;
    case ControlKind::OptionButton:
      result = {"BUTTON", CHILD | BS_AUTORADIOBUTTON, 0};
      break;
    case ControlKind::GroupBox:
      result = {"BUTTON", CHILD | BS_GROUPBOX, 0};
      break;
    case ControlKind::Label:
      result = {"STATIC", CHILD | SS_LEFT, 0};
      break;
    case ControlKind::InputField:
      result = {"EDIT", CHILD | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
      break;
    case ControlKind::OutputLine:
      result = {"EDIT", CHILD | ES_READONLY, 0};
      break;
    case ControlKind::ComboBox:
      result = {"COMBOBOX", CHILD | WS_VSCROLL | CBS_DROPDOWN, 0};
      break;
    case ControlKind::Image:
      result = {"STATIC", CHILD | SS_BITMAP, 0};
      break;
  }
  if (IsTabStop(control)) result.style |= WS_TABSTOP;
  if (control.variant == StyleVariant::GroupStart) result.style |= WS_GROUP;
  if (control.variant == StyleVariant::PushLike) result.style |= BS_PUSHLIKE;
  return result;
}

// The event handler of control `id`, or nullptr.
EventHandler HandlerOf(int id) {
  switch (id) {
    case IDC_UNIT_MM:
    case IDC_UNIT_INCHES:
      return UnitOptionCallback;
    case IDC_QUIT:
      return QuitCallback;
    case IDC_SOLVE_INDUCTANCE:
      return SolveInductanceCallback;
    case IDC_SOLVE_TURNS:
      return SolveTurnsCallback;
    case IDC_ABOUT:
      return AboutCallback;
    default:
      return nullptr;
  }
}

// The solve keeps the result lines' texts; the controls start from them.
const std::string* ResultLineText(int id) {
  switch (id) {
    case IDC_WIRE_LENGTH:
      return &wireLengthText;
    case IDC_WIRE_SIZE:
      return &wireSizeText;
    case IDC_CAPACITANCE:
      return &capacitanceText;
    case IDC_RESONANCE:
      return &resonanceText;
    default:
      return nullptr;
  }
}

HBRUSH mainBackgroundBrush = nullptr;

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
  PutWord(t, static_cast<WORD>(DIALOG_FONT_POINTS));
  PutText(t, DIALOG_FONT);
}

INT_PTR ColourReply(UINT message, WPARAM wParam, LPARAM lParam) {
  bool coloured = message == WM_CTLCOLORDLG;
  if (!coloured) {
    const DialogControl* control = FindDialogControl(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
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
    if (const EventHandler handler = HandlerOf(LOWORD(wParam))) {
      const LONG result = handler(dialog, message, wParam, lParam);
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

HWND CreateControl(HINSTANCE instance, HFONT font, const DialogControl& row) {
  RECT box = {row.x, row.y, row.x + row.w, row.y + row.h};
  MapDialogRect(mainDialog, &box);
  const std::string* resultLine = ResultLineText(row.id);
  // The combo box gets its text once its list is filled.
  const char* text = resultLine != nullptr               ? resultLine->c_str()
                     : row.kind == ControlKind::ComboBox ? ""
                                                         : row.startText;
  const WindowClassAndStyle window = ClassAndStyle(row);
  const HWND control =
      CreateWindowExA(window.exStyle, window.className, text, window.style, box.left, box.top,
                      box.right - box.left, box.bottom - box.top, mainDialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void ShowSketch(HINSTANCE instance, HWND control) {
  RECT client;
  GetClientRect(control, &client);
  // Stretched to the control; if it cannot be loaded the control stays blank.
  const HANDLE sketch = LoadImageA(instance, SKETCH_RESOURCE, IMAGE_BITMAP, client.right,
                                   client.bottom, LR_LOADMAP3DCOLORS);
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

int RunMainWindow(HINSTANCE instance) {
  mainBackgroundBrush = CreateSolidBrush(MAIN_BACKGROUND);
  lengthScale = INCHES.scale;
  ResetResultLines();

  DialogTemplate dialogTemplate;
  BuildTemplate(dialogTemplate, DialogCaption());
  mainDialog = CreateDialogIndirectParamA(
      instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.words.data()), nullptr,
      MainDialogProc, 0);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(mainDialog, WM_GETFONT, 0, 0));

  for (const DialogControl& row : DIALOG_CONTROLS) {
    const HWND control = CreateControl(instance, font, row);
    if (row.id == IDC_UNIT_INCHES) {
      CheckRadioButton(mainDialog, IDC_UNIT_MM, IDC_UNIT_INCHES, INCHES.optionId);
    } else if (row.id == IDC_SKETCH) {
      ShowSketch(instance, control);
    } else if (row.id == IDC_INDUCTANCE_UNIT) {
      for (const char* unit : INDUCTANCE_UNITS)
        SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit));
      SetWindowTextA(control, row.startText);
    }
  }

  InstallTestHooks(mainDialog);
  RunModal();
  return 0;
}
