// The user's clicks delivered to the engine: a unit option or a push button runs the dialog's
// own handler there; Quit, and the close button, end the page's dialog.
import { element } from "./dom.js";
import { click } from "./engine.js";
import { detachKeys } from "./keys.js";
import { controlElement, controlText, dialog, frame, isEditable } from "./layout.js";
import { isBusy, showAnswer } from "./show_answer.js";
import { markEnded } from "./test_hooks.js";

// The texts of the editable controls now, for the engine to read as the program reads them.
export function editableTexts() {
  return dialog.controls.filter(isEditable).map((control) => [control.id, controlText(control.id)]);
}

export function clickControl(id, clickedAt) {
  return showAnswer(() => click(id, editableTexts()), clickedAt);
}

function endDialog() {
  frame.remove();
  detachKeys();
  markEnded();
  const text = "The calculator has ended. Reload the page to start it again.";
  document.getElementById("desktop").append(element("p", { className: "ended", text }));
}

export function attachClicks() {
  frame.querySelector(".titlebar .close").addEventListener("click", () => !isBusy() && endDialog());
  for (const control of dialog.controls) {
    const node = controlElement(control.id);
    if (control.kind === "option button") {
      // A click, also on the option already selected, and the arrow keys that move the
      // selection within the group all arrive as clicks.
      node.querySelector("input").addEventListener("click", () => clickControl(control.id));
    } else if (control.kind === "push button") {
      node.addEventListener("click", (event) => {
        if (isBusy()) return;
        if (control.id === dialog.buttons.quit) endDialog();
        else clickControl(control.id, event.timeStamp);
      });
    }
  }
}
