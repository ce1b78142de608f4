// The typefaces on screen are the ones the program asks for: "MS Sans Serif" 8 pt for the
// dialog, and the glyph font the platform draws the title-bar buttons with.
#include <algorithm>
#include <string>
#include <vector>

#include "program_test.h"

namespace {

using Fonts = ProgramTest;

// The face and metrics the platform really gives a font (a missing face falls back silently).
struct RealizedFont {
  std::string face;
  TEXTMETRICA metrics{};
};

RealizedFont Realize(int height, const char* face) {
  const HFONT font =
      CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  RealizedFont realized;
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  char name[LF_FACESIZE] = {};
  GetTextFaceA(screen, sizeof name, name);
  GetTextMetricsA(screen, &realized.metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  realized.face = name;
  return realized;
}

TEST_F(Fonts, DialogFaceIsMsSansSerifWithBaseUnitsOf6By13) {
  // 8 points at 96 dpi, as a dialog template's font size asks for it.
  const RealizedFont font = Realize(-MulDiv(8, 96, 72), "MS Sans Serif");
  EXPECT_EQ(font.face, "MS Sans Serif");
  // The base units the platform itself gives a dialog in this font: 4 x 8 dialog units.
  const RECT units = DialogUnitsToPixels(0, 0, 4, 8);
  EXPECT_EQ(units.right, 6);
  EXPECT_EQ(units.bottom, 13);
}

TEST_F(Fonts, TitleBarGlyphFontMarlettIsThere) {
  const RealizedFont font = Realize(-13, "Marlett");
  EXPECT_EQ(font.face, "Marlett");
  EXPECT_EQ(font.metrics.tmCharSet, SYMBOL_CHARSET);
}

// The program's own window: 380 x 250 dialog units in a 6 x 13 font, and the frame Wine
// draws around it (Windows draws frames of its own widths).
TEST_F(Fonts, DialogIs576By431PixelsWithItsFrame) {
  RECT window, client;
  GetWindowRect(program.dialog, &window);
  GetClientRect(program.dialog, &client);
  EXPECT_EQ(client.right, 570);
  EXPECT_EQ(client.bottom, 406);
  if (!RunningUnderWine()) return;
  EXPECT_EQ(window.right - window.left, 576);
  EXPECT_EQ(window.bottom - window.top, 431);
}

// The close button shows a cross, which is symmetric both ways; a stand-in font draws the
// glyph's letter ("r") instead, which is not.
TEST_F(Fonts, CloseButtonShowsACross) {
  if (!RunningUnderWine()) GTEST_SKIP() << "Windows draws its own title-bar buttons";
  SetForegroundWindow(program.dialog);
  TITLEBARINFO titleBar{};
  titleBar.cbSize = sizeof titleBar;
  ASSERT_TRUE(GetTitleBarInfo(program.dialog, &titleBar));
  Capture capture;
  ASSERT_TRUE(CapturePainted(program, program.dialog, capture));
  RECT window;
  GetWindowRect(program.dialog, &window);

  // The close button is the last square of the title bar. Its glyph is drawn in the button
  // text colour, black; its 3-D edge, two pixels wide, in greys.
  const RECT& bar = titleBar.rcTitleBar;
  const int left = bar.right - GetSystemMetrics(SM_CXSIZE) + 2 - window.left;
  const int top = bar.top + 2 - window.top;
  const int width = GetSystemMetrics(SM_CXSIZE) - 4, height = bar.bottom - bar.top - 4;
  std::vector<std::vector<bool>> ink(height, std::vector<bool>(width));
  int inked = 0;
  int minX = width, maxX = -1, minY = height, maxY = -1;
  std::string picture;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF pixel = capture.At(left + x, top + y);
      ink[y][x] = GetRValue(pixel) < 64 && GetGValue(pixel) < 64 && GetBValue(pixel) < 64;
      picture += ink[y][x] ? '#' : '.';
      if (!ink[y][x]) continue;
      ++inked;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    picture += '\n';
  }
  ASSERT_GE(inked, 8) << "hardly any glyph in the close button:\n" << picture;
  int mirrored = 0;
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) {
      mirrored += ink[y][x] && ink[y][minX + maxX - x] && ink[minY + maxY - y][x];
    }
  }
  EXPECT_EQ(mirrored, inked) << "the close button shows no cross:\n" << picture;
}

}  // namespace
