// The About box and the context-help boxes, shown through the window operation ShowMessageBox.
#include "help_boxes.h"

#include "help_texts.h"
#include "window_ops.h"

void ShowAboutBox() { ShowMessageBox(AboutText(), ABOUT_CAPTION); }

void ShowContextHelp(int id) {
  if (const char* text = ContextHelpText(id)) ShowMessageBox(text, HELP_CAPTION);
}
