// The dialog laid out from the engine's control table: each control at its place in pixels,
// with its start-up text, and the operations that read and write a control's text.
import { buildComboBox } from "./combo_box.js";
import { EDIT_TEXT_LIMIT, element } from "./dom.js";

// Pixels per dialog unit, as Windows maps them for an 8-point "MS Sans Serif": 6 x 13 pixels
// for 4 x 8 units.
const PIXELS_X = 6 / 4;
const PIXELS_Y = 13 / 8;

// The engine's table of the dialog, and the dialog's window once built.
export let dialog;
export let frame;
const elements = new Map(); // control id -> the element that carries data-control-id

// MapDialogRect: each edge mapped on its own, rounded to the nearest pixel.
function mapRect(control) {
  const left = Math.round(control.x * PIXELS_X);
  const top = Math.round(control.y * PIXELS_Y);
  return {
    left,
    top,
    width: Math.round((control.x + control.w) * PIXELS_X) - left,
    height: Math.round((control.y + control.h) * PIXELS_Y) - top,
  };
}

export const isEditable = (control) => control.kind === "input field" || control.kind === "combo box";

export function controlElement(id) {
  return elements.get(id);
}

// The text of a control as the window operations read it.
export function controlText(id) {
  const node = elements.get(id);
  return node instanceof HTMLInputElement ? node.value : node.textContent;
}

export function setControlText(id, text) {
  const node = elements.get(id);
  if (!node) return;
  if (node instanceof HTMLInputElement) node.value = text;
  else if (node.dataset.textTarget) node.querySelector(node.dataset.textTarget).textContent = text;
  else node.textContent = text;
}

// The input field a label names: the nearest one to its right on the same row.
function fieldOfLabel(label) {
  let best = null;
  for (const control of dialog.controls) {
    if (control.kind !== "input field" || control.y !== label.y || control.x <= label.x) continue;
    if (!best || control.x < best.x) best = control;
  }
  return best;
}

// The element of one control: `root` is placed in the client area, `carrier` holds its text.
function controlElements(control) {
  const id = control.id;
  let node;
  switch (control.kind) {
    case "push button":
      node = element("button", { type: "button", "data-control-id": id, text: control.text });
      if (!control.tabStop) {
        node.tabIndex = -1;
        // Buttons without a tab stop are reached with Alt and their first letter.
        node.setAttribute("accesskey", control.text[0].toLowerCase());
      }
      break;
    case "option button": {
      const radio = element("input", { type: "radio", name: "length-unit", value: id });
      const unit = dialog.lengthUnits.find((u) => u.optionId === id);
      radio.checked = Boolean(unit && unit.selected);
      node = element("label", { className: "option", "data-control-id": id }, [
        radio,
        element("span", { text: control.text }),
      ]);
      node.dataset.textTarget = "span";
      break;
    }
    case "group box":
      node = element("fieldset", { className: "frame", "data-control-id": id }, [
        element("legend", { text: control.text }),
      ]);
      node.dataset.textTarget = "legend";
      break;
    case "label": {
      const field = fieldOfLabel(control);
      node = element("label", { className: "label", "data-control-id": id, text: control.text });
      if (field) node.htmlFor = "control-" + field.id;
      node.id = "control-" + id;
      break;
    }
    case "input field":
      node = element("input", {
        type: "text",
        className: "field",
        id: "control-" + id,
        "data-control-id": id,
        autocomplete: "off",
        spellcheck: "false",
        maxlength: EDIT_TEXT_LIMIT,
      });
      node.value = control.text;
      break;
    case "output line":
      node = element("input", {
        type: "text",
        className: "output",
        readonly: "",
        tabindex: "-1",
        "data-control-id": id,
      });
      node.value = control.text;
      break;
    case "combo box":
      return buildComboBox(control, dialog.inductanceUnits);
    case "image":
      node = element("img", {
        className: "sketch",
        src: "sketch.png",
        alt: "Sketch of a coil with its winding height and its diameter marked",
        "data-control-id": id,
      });
      break;
    default:
      node = element("div", { "data-control-id": id });
  }
  return { root: node, carrier: node };
}

function buildControl(control, index) {
  const rect = mapRect(control);
  const { root, carrier } = controlElements(control);
  root.style.left = rect.left + "px";
  root.style.top = rect.top + "px";
  root.style.width = rect.width + "px";
  if (control.kind !== "combo box") root.style.height = rect.height + "px";
  // The first control created is the top of the Z order. A group box paints only its frame
  // and caption, so it stays below everything and shows what lies inside it.
  root.style.zIndex = control.kind === "group box" ? "0" : String(dialog.controls.length - index);
  if (control.coloured) {
    const painted = control.kind === "group box" ? root.querySelector("legend") : root;
    painted.style.background = backgroundColour();
  }
  elements.set(control.id, carrier);
  return root;
}

const backgroundColour = () => `rgb(${dialog.background.join(",")})`;

// The dialog's window from the engine's table: the title bar with its "?" and close buttons,
// and the client area with every control.
export function buildDialog(table) {
  dialog = table;
  const width = Math.round(dialog.width * PIXELS_X);
  const height = Math.round(dialog.height * PIXELS_Y);
  const help = element("button", { type: "button", className: "help", tabindex: "-1", text: "?" });
  help.title = "Context help: click here, then on an item";
  const close = element("button", { type: "button", className: "close", tabindex: "-1", text: "\u00d7" });
  close.title = "Close";
  const title = element("span", { className: "title", id: "dialog-caption", text: dialog.caption });
  const client = element("div", { className: "client" });
  Object.assign(client.style, { width: width + "px", height: height + "px", background: backgroundColour() });
  dialog.controls.forEach((control, index) => client.append(buildControl(control, index)));
  frame = element("section", { className: "window dialog", role: "dialog", "aria-labelledby": title.id }, [
    element("div", { className: "titlebar" }, [title, help, close]),
    client,
  ]);
  return frame;
}
