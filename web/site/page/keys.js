// Keys and focus: Tab and Shift+Tab round the dialog's tab stops, F1 and the "?" button for
// context help, the focus at start-up.
import { help } from "./engine.js";
import { controlElement, dialog, frame } from "./layout.js";
import { isBusy, showAnswer } from "./show_answer.js";

let helpMode = false; // the "?" button was pressed: the next click asks for help

function setHelpMode(on) {
  helpMode = on;
  frame.classList.toggle("helpmode", on);
}

function showHelp(id) {
  showAnswer(() => help(id));
}

// With help mode on, a click on a control asks for its help instead of acting on it.
function helpClick(event) {
  if (!helpMode) return;
  event.preventDefault();
  event.stopPropagation();
  if (event.type !== "click") return;
  setHelpMode(false);
  const target = event.target.closest("[data-control-id]");
  if (target) showHelp(Number(target.dataset.controlId));
}

// Keys the dialog itself handles: F1 asks for help on the focused control, Escape only ends
// help mode (the dialog has no Cancel button, so Escape does not close it).
function dialogKey(event) {
  if (isBusy() || !frame.isConnected) return;
  // The design panel is a form of its own: its keys are the browser's.
  if (event.target instanceof Element && event.target.closest(".design")) return;
  if (event.key === "F1") {
    event.preventDefault();
    const target = document.activeElement && document.activeElement.closest("[data-control-id]");
    if (target && frame.contains(target)) showHelp(Number(target.dataset.controlId));
  } else if (event.key === "Escape" && helpMode) {
    setHelpMode(false);
  } else if (event.key === "Tab" && !event.altKey && !event.ctrlKey) {
    event.preventDefault();
    moveFocus(event.shiftKey ? -1 : 1);
  }
}

// The element that takes the focus for a control: for an option button, the selected option
// of its group, as the browser and Windows both do.
function focusTarget(control) {
  const node = controlElement(control.id);
  if (control.kind !== "option button") return node;
  const radio = node.querySelector("input");
  return frame.querySelector(`input[name="${radio.name}"]:checked`) || radio;
}

// Tab and Shift+Tab: the next tab stop in creation order, round the dialog, from wherever
// the focus is (also a control without a tab stop); the rest of an option group is skipped.
function moveFocus(direction) {
  const controls = dialog.controls;
  const current = document.activeElement && document.activeElement.closest("[data-control-id]");
  let at = current ? controls.findIndex((c) => c.id === Number(current.dataset.controlId)) : -1;
  if (at < 0) at = direction > 0 ? controls.length - 1 : 0;
  const group = (control) => control && control.kind === "option button";
  for (let step = 1; step <= controls.length; ++step) {
    const candidate = controls[(at + direction * step + controls.length * 2) % controls.length];
    if (!candidate.tabStop || (group(candidate) && group(controls[at]))) continue;
    const target = focusTarget(candidate);
    target.focus();
    if (target instanceof HTMLInputElement && target.type === "text") target.select();
    return;
  }
}

// The dialog manager gives the focus to the first tab stop.
export function focusFirstTabStop() {
  focusTarget(dialog.controls.find((c) => c.tabStop)).focus();
}

export function attachKeys() {
  const helpButton = frame.querySelector(".titlebar .help");
  helpButton.addEventListener("mousedown", (event) => event.preventDefault());
  helpButton.addEventListener("click", () => setHelpMode(!helpMode));
  const client = frame.querySelector(".client");
  client.addEventListener("mousedown", helpClick, true);
  client.addEventListener("click", helpClick, true);
  document.addEventListener("keydown", dialogKey);
}

export function detachKeys() {
  document.removeEventListener("keydown", dialogKey);
}
