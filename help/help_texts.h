// The fixed help texts: the About text and the context help of the dialog's items.
#pragma once

// The About text, lines joined by CR LF.
const char* AboutText();
// The context help of control `id`, lines joined by CR LF, or nullptr when it has none.
const char* ContextHelpText(int id);
