// The physics check below the dialog: the engine's reference for the last completed solve, at
// the frequency of its field when that holds one, shown as the engine words it.
import { element } from "./dom.js";
import { baseHeight, frequency, sweep } from "./engine.js";
import { buildSweepPlot, showSweep } from "./sweep_plot.js";

let panel;

export function buildPhysicsPanel() {
  const field = element("input", {
    id: "physics-frequency",
    type: "text",
    placeholder: "7.1MHz",
    autocomplete: "off",
    spellcheck: "false",
    // The dialog's Tab goes round the dialog alone: Alt+F reaches the field, as Alt and a
    // letter reach the dialog's controls without a tab stop; Tab goes back to the dialog.
    accesskey: "f",
  });
  // The engine reads the text when it is committed (Enter, or the focus leaving the field).
  field.addEventListener("change", () => {
    const reference = frequency(field.value);
    if (reference) showReference(reference);
  });
  const base = element("input", {
    id: "physics-base-height",
    type: "text",
    placeholder: "0",
    autocomplete: "off",
    spellcheck: "false",
    accesskey: "g",
  });
  base.addEventListener("change", () => {
    const reference = baseHeight(base.value);
    if (reference) showReference(reference);
  });
  panel = element("section", { className: "physics", "aria-labelledby": "physics-title", "aria-live": "polite" }, [
    element("h2", { id: "physics-title", text: "Physics check" }),
    element("p", { className: "frequency" }, [
      element("label", { for: "physics-frequency", text: "At a frequency (Hz, kHz, MHz or GHz): " }),
      field,
    ]),
    element("p", { className: "base-height" }, [
      element("label", {
        for: "physics-base-height",
        text: "Lower end grounded, this high above the ground (unit of length): ",
      }),
      base,
    ]),
    element("p", {
      className: "wire",
      text: "Solve a coil to compare the dialog's figures with the physics reference.",
    }),
    element("table", { hidden: "" }),
    buildSweepPlot(),
  ]);
  return panel;
}
// `reference`: {heading, columns: [4 titles], rows: [[label, reference, dialog, difference]]};
// no columns and rows when the engine found no reference, the heading then saying why.
export function showReference(reference) {
  const started = performance.now();
  showSweep(sweep(), started);
  panel.querySelector(".wire").textContent = reference.heading;
  const table = panel.querySelector("table");
  table.hidden = reference.rows.length === 0;
  if (table.hidden) return table.replaceChildren();
  const head = element("tr", {}, reference.columns.map((title) => element("th", { text: title })));
  const rows = reference.rows.map(([label, ...cells]) =>
    element("tr", {}, [
      element("th", { scope: "row", text: label }),
      ...cells.map((cell) => element("td", { text: cell })),
    ])
  );
  table.replaceChildren(head, ...rows);
}
