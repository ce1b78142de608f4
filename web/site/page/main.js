// The coil calculator's dialog in the browser: laid out from the engine's control table, each
// click and help request run by the engine, and what it did shown in its order.
import { attachClicks, editableTexts } from "./actions.js";
import { click, loadEngine, startDialog } from "./engine.js";
import { buildDesignPanel } from "./design_panel.js";
import { attachKeys, focusFirstTabStop } from "./keys.js";
import { buildDialog } from "./layout.js";
import { buildPhysicsPanel } from "./physics_panel.js";
import { markReady, timings } from "./test_hooks.js";

async function start() {
  const dialog = await loadEngine();
  timings.engineReady = performance.now();
  const desktop = document.getElementById("desktop");
  document.getElementById("loading").remove();
  desktop.append(buildDialog(dialog), buildPhysicsPanel(), buildDesignPanel());
  attachClicks();
  attachKeys();
  // One solve of the empty start-up fields, its answer dropped (it stops at its first check),
  // has the browser compile the solve's code now rather than on the user's first click.
  click(dialog.buttons.solveInductance, editableTexts());
  startDialog();
  document.title = dialog.caption.trim();
  focusFirstTabStop();
  timings.dialogReady = performance.now();
  markReady();
}

start().catch((error) => {
  document.getElementById("loading").textContent = "The calculator could not start: " + error;
});
