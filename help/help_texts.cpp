// The fixed help texts (filled in with the help subsystem).
#include "help_texts.h"

const char* AboutText() { return ""; }

const char* ContextHelpText(int) { return nullptr; }
