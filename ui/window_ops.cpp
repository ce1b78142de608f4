// The solve's window operations on the real dialog: control texts and message boxes.
#include "window_ops.h"

#include <algorithm>

#include "main_window.h"

std::string GetControlText(int id) {
  const HWND control = GetDlgItem(mainDialog, id);
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  // The length is an upper bound only (it may count bytes the copy does not deliver).
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
  return text;
}

void SetControlText(int id, const std::string& text) {
  SetWindowTextA(GetDlgItem(mainDialog, id), text.c_str());
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  // No owner: the whole task waits for the box.
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MESSAGE_BOX_STYLE);
}
