// The fixed help texts: the About text and the context help of the dialog's items.
#pragma once

// The captions of the About box and of a context-help box.
inline constexpr const char* ABOUT_CAPTION = "About this program";
inline constexpr const char* HELP_CAPTION = "What's This?";

// The About text, lines joined by CR LF.
const char* AboutText();
// The context help of control `id`, lines joined by CR LF, or nullptr when it has none.
const char* ContextHelpText(int id);
