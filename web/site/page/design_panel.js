// The design panel below the physics check: the designer's keys as texts, its coils in a table,
// and on each row a button that puts the coil into the dialog and solves it there.
import { clickControl } from "./actions.js";
import { element } from "./dom.js";
import { design, designKeys, useDesign } from "./engine.js";
import { dialog, setControlText } from "./layout.js";
import { isBusy } from "./show_answer.js";
import { timings } from "./test_hooks.js";

// The page's words for the keys; what each must be, and its default, come from the engine.
const LABELS = {
  unit: "Unit of length",
  inductance: "Apparent inductance",
  frequency: "Frequency",
  diameter: "Form diameter (one, or min:max)",
  height_max: "Largest height",
  wire_gauges: "Wire, AWG (one, or min:max)",
  wire_diameters: "or bare wire diameters (a,b,...)",
  pitch_min: "Smallest pitch, times the wire",
  resonance_margin: "Self-resonance, times the frequency",
  tolerance: "Tolerance of the inductance",
  temperature: "Copper temperature, C",
  count: "Coils to show",
};
const EXAMPLES = { inductance: "2.2uH", frequency: "7.1MHz", diameter: "15:40" };

let panel;
let keys;
let lastDesign; // the engine's last answer with coils

function field(key) {
  const id = "design-" + key.name.replace("_", "-");
  const attributes = { id, name: key.name, title: `"${key.name}" must be ${key.mustBe}` };
  let input;
  if (key.name === "unit") {
    input = element("select", attributes, [
      element("option", { value: "in", text: "inches" }),
      element("option", { value: "mm", text: "mm" }),
    ]);
    input.value = key.byDefault;
  } else {
    const hint = key.byDefault || EXAMPLES[key.name] || "none";
    input = element("input", { ...attributes, type: "text", placeholder: hint, autocomplete: "off", spellcheck: "false" });
  }
  if (key.name === "inductance") input.setAttribute("accesskey", "g");
  return element("p", {}, [element("label", { for: id, text: LABELS[key.name] || key.name }), input]);
}

function showError(text) {
  const message = panel.querySelector(".design-error");
  message.textContent = text;
  message.hidden = false;
  panel.querySelector("table").hidden = true;
}

function showCoils(answer) {
  panel.querySelector(".design-error").hidden = true;
  const table = panel.querySelector("table");
  const head = element("tr", {}, [...answer.columns, ""].map((title) => element("th", { scope: "col", text: title })));
  const rows = answer.rows.map((cells, index) => {
    const use = element("button", { type: "button", text: "Use", "aria-label": `Use coil ${index + 1} in the dialog` });
    use.addEventListener("click", () => useCoil(index));
    return element("tr", {}, [...cells.map((cell) => element("td", { text: cell })), element("td", {}, [use])]);
  });
  table.replaceChildren(head, ...rows);
  table.hidden = false;
}

function runDesign() {
  const started = performance.now();
  const texts = keys.map((key) => panel.querySelector(`[name="${key.name}"]`).value.trim());
  const answer = design(texts);
  if (answer.error) showError(answer.error);
  else showCoils(answer);
  lastDesign = answer.error ? undefined : answer;
  timings.lastDesign = performance.now() - started;
}

// The coil into the dialog: its unit, diameter, height and turns, then "Solve for Inductance",
// with the physics check at the design's frequency and the coil's wire.
async function useCoil(index) {
  if (isBusy() || !lastDesign) return;
  const radio = document.querySelector(`input[name="length-unit"][value="${lastDesign.unitOption}"]`);
  if (!radio.checked) {
    radio.checked = true;
    await clickControl(lastDesign.unitOption);
  }
  for (const [id, text] of lastDesign.coils[index]) setControlText(id, text);
  document.getElementById("physics-frequency").value = useDesign(index);
  await clickControl(dialog.buttons.solveInductance);
}

export function buildDesignPanel() {
  keys = designKeys();
  const form = element("form", { className: "design-keys" }, keys.map(field));
  form.append(element("p", {}, [element("button", { type: "submit", text: "Design" })]));
  // Enter in any field designs, as the button does.
  form.addEventListener("submit", (event) => {
    event.preventDefault();
    runDesign();
  });
  panel = element("section", { className: "design", "aria-labelledby": "design-title" }, [
    element("h2", { id: "design-title", text: "Design a coil" }),
    element("p", {
      className: "design-intro",
      text: "The coils of highest apparent Q for an inductance at a frequency, one for each wire, best first.",
    }),
    form,
    element("p", { className: "design-error", role: "alert", hidden: "" }),
    element("div", { className: "design-table", "aria-live": "polite" }, [element("table", { hidden: "" })]),
  ]);
  return panel;
}
