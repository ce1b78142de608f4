// The main dialog as built: caption, styles, the 25 controls, colours and the initial state.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <vector>

#include "control_ids.h"
#include "program_test.h"

namespace {

struct ExpectedControl {
  int id;
  const char* className;
  DWORD style;
  DWORD exStyle;
  const char* text;
  int x, y, w, h;  // dialog units
  bool cream;
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;

// The layout written out independently of the program, in creation (Z) order.
const ExpectedControl LAYOUT[] = {
    {IDC_UNIT_MM, "Button", CHILD | WS_GROUP | BS_AUTORADIOBUTTON, 0, "mm", 95, 10, 25, 12, true},
    {IDC_UNIT_INCHES, "Button", CHILD | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, "inches", 125, 10, 40,
     12, true},
    {IDC_UNITS_FRAME, "Button", CHILD | BS_GROUPBOX, 0, "Units of Length", 30, 5, 140, 20, true},
    {IDC_QUIT, "Button", CHILD | WS_GROUP | BS_PUSHBUTTON, 0, "Quit!", 150, 210, 80, 30, false},
    {IDC_SKETCH, "Static", CHILD | SS_BITMAP, 0, "", 250, 35, 95, 160, true},
    {IDC_SOLVE_INDUCTANCE, "Button", CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, "Solve for Inductance",
     155, 108, 75, 15, false},
    {IDC_SOLVE_TURNS, "Button", CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, "Solve for # of turns", 125,
     128, 75, 15, false},
    {IDC_ABOUT, "Button", CHILD | BS_PUSHLIKE | BS_PUSHBUTTON, 0, "About this program", 245, 10,
     100, 15, false},
    {IDC_CALCULATE_FRAME, "Button", CHILD | BS_GROUPBOX, 0, "Calculate", 10, 95, 230, 110, true},
    {IDC_DIAMETER, "Edit", CHILD | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "", 70, 50, 50,
     12, false},
    {IDC_HEIGHT, "Edit", CHILD | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "", 70, 65, 50, 12,
     false},
    {IDC_TURNS, "Edit", CHILD | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "", 80, 130, 40, 13,
     false},
    {IDC_INDUCTANCE, "Edit", CHILD | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "", 80, 110, 40,
     13, false},
    {IDC_WIRE_LENGTH, "Edit", CHILD | ES_READONLY, 0, "Wire Length: ", 20, 152, 150, 12, true},
    {IDC_WIRE_SIZE, "Edit", CHILD | ES_READONLY, 0, "Maximum wire size (AWG):", 20, 164, 150, 12,
     true},
    {IDC_CAPACITANCE, "Edit", CHILD | ES_READONLY, 0, "Stray Capacitance:", 20, 176, 150, 12, true},
    {IDC_RESONANCE, "Edit", CHILD | ES_READONLY, 0, "Self-resonant at approximately:", 20, 188, 150,
     12, true},
    // The combo box hands WS_VSCROLL on to its list (checked there).
    {IDC_INDUCTANCE_UNIT, "ComboBox", CHILD | CBS_DROPDOWN, 0, "uH", 120, 110, 28, 48, false},
    {IDC_DIAMETER_LABEL, "Static", CHILD | SS_LEFT, 0, "Form diameter", 15, 50, 50, 12, true},
    {IDC_DIAMETER_UNIT, "Static", CHILD | SS_LEFT, 0, " inches", 130, 50, 30, 12, true},
    {IDC_HEIGHT_LABEL, "Static", CHILD | SS_LEFT, 0, "Winding height", 15, 65, 50, 12, true},
    {IDC_HEIGHT_UNIT, "Static", CHILD | SS_LEFT, 0, " inches", 130, 65, 30, 12, true},
    {IDC_TURNS_LABEL, "Static", CHILD | SS_LEFT, 0, "Enter # of Turns:", 15, 130, 60, 12, true},
    {IDC_INDUCTANCE_LABEL, "Static", CHILD | SS_LEFT, 0, "Enter Inductance:", 15, 110, 60, 12,
     true},
    {IDC_WINDING_FRAME, "Button", CHILD | BS_GROUPBOX, 0, "Winding Data", 10, 35, 165, 50, true},
};

constexpr COLORREF CREAM = RGB(255, 245, 210);

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Which pixels a control shows of its own background: clear of text, frame and border.
POINT BackgroundPoint(const ExpectedControl& control, const RECT& box) {
  if (std::strcmp(control.className, "Button") == 0 &&
      (control.style & BS_TYPEMASK) == BS_GROUPBOX) {
    return {box.left + 4, box.bottom - 4};  // inside the frame
  }
  if (std::strcmp(control.className, "Button") == 0 &&
      (control.style & BS_TYPEMASK) == BS_PUSHBUTTON) {
    return {box.left + 4, box.bottom - 4};  // the face, inside the 3-D border
  }
  if (std::strcmp(control.className, "ComboBox") == 0) {
    return {box.left + 4, box.top + 3};  // the edit part, above the text
  }
  if (std::strcmp(control.className, "Edit") == 0 && (control.style & ES_READONLY) == 0) {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};  // empty, inside the edge
  }
  return {box.right - 3, box.bottom - 2};  // right of and below any text
}

TEST_F(ProgramTest, DialogCaptionStyleSizeAndPlace) {
  EXPECT_EQ(ReadText(program.dialog), MAIN_CAPTION);
  EXPECT_EQ(ClassName(program.dialog), "#32770");
  EXPECT_EQ(GetWindow(program.dialog, GW_OWNER), nullptr);
  EXPECT_EQ(GetParent(program.dialog), nullptr);

  const DWORD style = GetWindowLongA(program.dialog, GWL_STYLE);
  const DWORD wanted = WS_CAPTION | WS_SYSMENU | DS_CONTEXTHELP | DS_SETFONT | DS_3DLOOK |
                       DS_NOFAILCREATE | DS_CENTER | WS_VISIBLE;
  EXPECT_EQ(style & wanted, wanted) << std::hex << style;
  const DWORD unwanted = WS_CHILD | WS_POPUP | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                         WS_DISABLED | DS_MODALFRAME | DS_CONTROL;
  EXPECT_EQ(style & unwanted, 0u) << std::hex << style;
  const DWORD exStyle = GetWindowLongA(program.dialog, GWL_EXSTYLE);
  EXPECT_NE(exStyle & WS_EX_CONTEXTHELP, 0u) << std::hex << exStyle;
  EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW | WS_EX_LAYERED), 0u)
      << std::hex << exStyle;

  RECT client;
  GetClientRect(program.dialog, &client);
  const RECT expected = DialogUnitsToPixels(0, 0, 380, 250);
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);

  RECT window, work;
  GetWindowRect(program.dialog, &window);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(window.left + window.right, work.left + work.right, 2);
  EXPECT_NEAR(window.top + window.bottom, work.top + work.bottom, 2);
}

TEST_F(ProgramTest, TwentyFiveControlsInCreationOrder) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(program.dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  ASSERT_EQ(children.size(), std::size(LAYOUT));
  for (size_t i = 0; i < children.size(); ++i) {
    const ExpectedControl& expected = LAYOUT[i];
    const HWND child = children[i];
    SCOPED_TRACE("control " + std::to_string(i + 1) + ", id " + std::to_string(expected.id));
    EXPECT_EQ(GetDlgCtrlID(child), expected.id);
    EXPECT_STRCASEEQ(ClassName(child).c_str(), expected.className);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), expected.style)
        << std::hex << GetWindowLongA(child, GWL_STYLE);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)), expected.exStyle)
        << std::hex << GetWindowLongA(child, GWL_EXSTYLE);
    EXPECT_EQ(ReadText(child), expected.text);

    const RECT wanted = DialogUnitsToPixels(expected.x, expected.y, expected.w, expected.h);
    RECT actual = RectInDialog(program.dialog, child);
    if (expected.id == IDC_INDUCTANCE_UNIT) {
      // A drop-down's window has its closed height; the given height is that of the open box.
      // Windows reports the open box's rectangle, Wine only the list's (below the edit part).
      // Wine sizes the list against the edit part as measured with the system font at
      // creation, before the dialog font arrives and shrinks the edit part by a few pixels.
      RECT dropped;
      SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      const int closedHeight = actual.bottom - actual.top;
      const int droppedHeight = dropped.bottom - dropped.top;
      const int openHeight = RunningUnderWine() ? closedHeight + droppedHeight : droppedHeight;
      EXPECT_NEAR(openHeight, wanted.bottom - wanted.top, 3)
          << "closed " << closedHeight << ", dropped " << droppedHeight;
      actual.bottom = actual.top + (wanted.bottom - wanted.top);  // height checked just above
    }
    EXPECT_EQ(actual.left, wanted.left);
    EXPECT_EQ(actual.top, wanted.top);
    EXPECT_EQ(actual.right - actual.left, wanted.right - wanted.left);
    EXPECT_EQ(actual.bottom - actual.top, wanted.bottom - wanted.top);
  }
}

TEST_F(ProgramTest, InitialState) {
  const auto checked = [&](int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &state);
    return state;
  };
  EXPECT_EQ(checked(IDC_UNIT_INCHES), static_cast<DWORD_PTR>(BST_CHECKED));
  EXPECT_EQ(checked(IDC_UNIT_MM), static_cast<DWORD_PTR>(BST_UNCHECKED));
  EXPECT_EQ(Text(IDC_DIAMETER_UNIT), " inches");
  EXPECT_EQ(Text(IDC_HEIGHT_UNIT), " inches");
  EXPECT_EQ(Text(IDC_INDUCTANCE_UNIT), "uH");

  const HWND combo = Control(IDC_INDUCTANCE_UNIT);
  DWORD_PTR count = 0;
  SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
  ASSERT_EQ(count, 3u);
  const char* const units[] = {"nH", "uH", "mH"};
  for (int i = 0; i < 3; ++i) {
    DWORD_PTR length = 0;
    SendMessageTimeoutA(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 3000, &length);
    ASSERT_EQ(length, 2u) << "item " << i;
    // The platform carries this buffer across processes (under Wine only as UTF-16).
    wchar_t item[16] = {};
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG,
                        3000, &length);
    EXPECT_EQ(std::string(item, item + std::wcslen(item)), units[i]);
  }
}

TEST_F(ProgramTest, CreamBackgroundOnTheDialogAndSixteenControls) {
  SetForegroundWindow(program.dialog);
  Capture capture;
  ASSERT_TRUE(CapturePainted(program, program.dialog, capture));
  RECT window;
  GetWindowRect(program.dialog, &window);
  POINT origin = {0, 0};
  ClientToScreen(program.dialog, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;

  // A spot of the dialog itself, left of the "Units of Length" box.
  EXPECT_EQ(capture.At(dx + 8, dy + 8), CREAM);

  int cream = 0;
  for (const ExpectedControl& control : LAYOUT) {
    if (control.id == IDC_SKETCH) continue;  // covered by the picture; checked on its own
    SCOPED_TRACE("id " + std::to_string(control.id));
    const RECT box = RectInDialog(program.dialog, GetDlgItem(program.dialog, control.id));
    const POINT at = BackgroundPoint(control, box);
    const COLORREF colour = capture.At(dx + at.x, dy + at.y);
    if (control.cream) {
      ++cream;
      EXPECT_EQ(colour, CREAM) << std::hex << colour;
    } else {
      const bool field = std::strcmp(control.className, "Button") != 0;
      const COLORREF system = GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE);
      EXPECT_EQ(colour, system) << std::hex << colour;
    }
  }
  EXPECT_EQ(cream, 15);  // and the sketch, the sixteenth
}

TEST_F(ProgramTest, SketchIsShownFillingItsBox) {
  const HWND sketch = Control(IDC_SKETCH);
  DWORD_PTR bitmap = 0;
  SendMessageTimeoutA(sketch, STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_ABORTIFHUNG, 3000, &bitmap);
  EXPECT_NE(bitmap, 0u);

  SetForegroundWindow(program.dialog);
  Capture capture;
  ASSERT_TRUE(CapturePainted(program, sketch, capture));
  const RECT wanted = DialogUnitsToPixels(250, 35, 95, 160);
  ASSERT_EQ(capture.width, wanted.right - wanted.left);
  ASSERT_EQ(capture.height, wanted.bottom - wanted.top);
  // A one-bit bitmap is drawn in the control's colours: ink in the text colour, paper in the
  // background colour the dialog gives the sketch.
  size_t black = 0, paper = 0;
  for (const COLORREF pixel : capture.pixels) {
    black += pixel == RGB(0, 0, 0);
    paper += pixel == CREAM;
  }
  // A line drawing: mostly paper, a fair amount of ink, nothing else.
  EXPECT_EQ(black + paper, capture.pixels.size());
  EXPECT_GT(black, capture.pixels.size() / 30);
  EXPECT_GT(paper, capture.pixels.size() * 3 / 4);
  // Ink reaches all four quarters of the box (coil, leads, both dimension lines).
  for (int quarter = 0; quarter < 4; ++quarter) {
    const int x0 = (quarter % 2) * capture.width / 2, y0 = (quarter / 2) * capture.height / 2;
    size_t ink = 0;
    for (int y = y0; y < y0 + capture.height / 2; ++y) {
      for (int x = x0; x < x0 + capture.width / 2; ++x) ink += capture.At(x, y) == RGB(0, 0, 0);
    }
    EXPECT_GT(ink, 50u) << "quarter " << quarter;
  }
}

// The sketch as linked into the program: a 1-bit bitmap resource of the agreed size.
TEST(SketchResource, HeaderOfTheLinkedBitmap) {
  const HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const HRSRC resource = FindResourceA(module, "IndSketch", MAKEINTRESOURCEA(2));  // RT_BITMAP
  ASSERT_NE(resource, nullptr);
  EXPECT_EQ(SizeofResource(module, resource), 4568u);
  const auto* bytes =
      static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
  ASSERT_NE(bytes, nullptr);
  BITMAPINFOHEADER header;
  std::memcpy(&header, bytes, sizeof header);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 148);
  EXPECT_EQ(header.biHeight, 226);  // positive: bottom-up
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 1);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(header.biSizeImage, 226u * 20u);
  EXPECT_EQ(header.biXPelsPerMeter, 3780);
  EXPECT_EQ(header.biYPelsPerMeter, 3780);
  const unsigned char palette[8] = {0, 0, 0, 0, 255, 255, 255, 0};  // black, then white
  EXPECT_EQ(std::memcmp(bytes + 40, palette, sizeof palette), 0);
  FreeLibrary(module);
}

// The committed file the resource is made from.
TEST(SketchResource, TheBitmapFile) {
  char path[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA("COILCALC_SKETCH_BMP", path, sizeof path);
  if (length == 0 || length >= sizeof path) GTEST_SKIP() << "COILCALC_SKETCH_BMP not set";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  ASSERT_EQ(file.size(), 14u + 4568u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  std::uint32_t offset;
  std::memcpy(&offset, &file[10], 4);
  EXPECT_EQ(offset, 14u + 40u + 8u);
}

}  // namespace
