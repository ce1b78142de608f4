// Shows what the engine answered for one action: each control write at once, each message box
// until it is closed, in the engine's order; then the reference of a completed solve.
import { frame, setControlText } from "./layout.js";
import { messageBox } from "./message_box.js";
import { showReference } from "./physics_panel.js";
import { actionStarts, recordShown, timings } from "./test_hooks.js";

let busy = false; // an answer is being shown: the dialog takes no other action meanwhile

export const isBusy = () => busy;

// Runs `action` (a call into the engine) unless an answer is still being shown, and shows its
// answer. `startedAt`: the time stamp of the user's click, for the solve's timing.
export async function showAnswer(action, startedAt) {
  if (busy) return;
  busy = true;
  actionStarts();
  try {
    const answer = action();
    for (const entry of answer.trace) {
      recordShown(entry);
      const [kind, subject, text] = entry;
      if (kind === "set") setControlText(subject, text);
      else await messageBox(frame, subject, text);
    }
    if (answer.reference) {
      if (startedAt !== undefined) timings.lastSolve = performance.now() - startedAt;
      showReference(answer.reference);
    }
  } finally {
    busy = false;
  }
}
