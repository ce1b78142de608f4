// The calls into the WebAssembly engine, which runs the dialog's own procedures headless: each
// answers in JSON, parsed here.

let engine;

function call(name, result, types, args) {
  return engine.ccall(name, result, types || [], args || []);
}

// Loads the engine (coilcalc-engine.js, a classic script run before the modules) and answers
// the dialog's table: caption, size, colours, the controls in creation order, the buttons'
// ids by task, the inductance units.
export async function loadEngine() {
  engine = await window.createCoilcalcEngine();
  return JSON.parse(call("PageDialog", "string"));
}

// Every control back at its start-up text, inches selected.
export function startDialog() {
  call("PageStart");
}

// A click on control `id`, after handing over the texts the page's editable controls hold
// now ([id, text] pairs): {"trace": [...]} and, after a solve that completed, "reference".
export function click(id, texts) {
  for (const [control, text] of texts) call("PageSetText", null, ["number", "string"], [control, text]);
  return JSON.parse(call("PageClick", "string", ["number"], [id]));
}

// A help request on control `id`: {"trace": [...]}, empty when the control has no help.
export function help(id) {
  return JSON.parse(call("PageHelp", "string", ["number"], [id]));
}

// The physics panel's frequency field now holds `text`: the panel of the last completed solve
// at that frequency, or null before any solve has completed.
export function frequency(text) {
  return JSON.parse(call("PageFrequency", "string", ["string"], [text]));
}

// The last completed solve over a band around the panel's frequency, with its Touchstone file
// and SPICE model; null before a solve, without a frequency, or when it has no reference.
export function sweep() {
  return JSON.parse(call("PageSweep", "string"));
}

// The physics panel's base height field now holds `text`: the panel of the last completed
// solve with the coil grounded that high too, or null before any solve has completed.
export function baseHeight(text) {
  return JSON.parse(call("PageBaseHeight", "string", ["string"], [text]));
}

// The designer's keys in their order: [{name, mustBe, byDefault}].
export function designKeys() {
  return JSON.parse(call("PageDesignKeys", "string"));
}

// Designs the coils of `texts` (one per key, in the keys' order; "" for none): {columns, rows,
// coils: [{diameter, height, turns}]} or {error}. The dialog stays as it was.
export function design(texts) {
  texts.forEach((text, key) => call("PageDesignText", null, ["number", "string"], [key, text]));
  return JSON.parse(call("PageDesign", "string"));
}

// The next solve is of coil `index` of the last design: answers the design's frequency text.
export function useDesign(index) {
  return call("PageUseDesign", "string", ["number"], [index]);
}
