// The About box and the context help, portably: message boxes through the window operations.
#pragma once

// Shows the About text in its box and returns when the box is closed.
void ShowAboutBox();

// Shows the context help of control `id` in a "What's This?" box, or nothing when the control
// has no help.
void ShowContextHelp(int id);
