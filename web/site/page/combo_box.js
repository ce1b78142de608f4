// The inductance unit box: a Windows drop-down combo box, an edit field with a list of units
// that opens below it.
import { EDIT_TEXT_LIMIT, element } from "./dom.js";

// A drop-down combo box is as tall as its font makes its edit part; the table gives its height
// with the list dropped down.
const COMBO_CLOSED_HEIGHT = 21;
// The combo box has no tab stop; this access key (Alt+U) reaches it from the keyboard.
const COMBO_ACCESS_KEY = "u";

// The box with the list `units`: { root, carrier }, the carrier being the edit field that holds
// the control's text. The caller places the root.
export function buildComboBox(control, units) {
  const list = element("ul", { role: "listbox", id: "list-" + control.id, hidden: "" });
  const input = element("input", {
    type: "text",
    role: "combobox",
    "data-control-id": control.id,
    "aria-expanded": "false",
    "aria-controls": list.id,
    "aria-autocomplete": "none",
    accesskey: COMBO_ACCESS_KEY,
    maxlength: EDIT_TEXT_LIMIT,
    tabindex: "-1",
    autocomplete: "off",
    spellcheck: "false",
  });
  input.value = control.text;
  const drop = element("button", {
    type: "button",
    className: "drop",
    tabindex: "-1",
    "aria-hidden": "true",
    text: "\u25bc",
  });
  const box = element("div", { className: "combo" }, [input, drop, list]);
  box.style.height = COMBO_CLOSED_HEIGHT + "px";
  units.forEach((unit, index) => {
    const item = element("li", { role: "option", id: `list-${control.id}-${index}`, text: unit });
    item.addEventListener("mousedown", (event) => event.preventDefault());
    item.addEventListener("click", () => {
      input.value = unit;
      closeList(true);
      input.focus();
    });
    list.append(item);
  });

  let textBeforeOpening = "";
  function highlight() {
    for (const item of list.children) item.setAttribute("aria-selected", item.textContent === input.value);
  }
  function openList() {
    textBeforeOpening = input.value;
    list.hidden = false;
    input.setAttribute("aria-expanded", "true");
    highlight();
  }
  function closeList(keep) {
    if (list.hidden) return;
    if (!keep) input.value = textBeforeOpening;
    list.hidden = true;
    input.setAttribute("aria-expanded", "false");
  }
  // Up and Down pick the item before or after the current text, as in a Windows drop-down.
  function step(by) {
    const at = units.indexOf(input.value);
    input.value = units[at < 0 ? 0 : Math.min(units.length - 1, Math.max(0, at + by))];
    input.select();
    highlight();
  }

  drop.addEventListener("mousedown", (event) => event.preventDefault());
  drop.addEventListener("click", () => {
    if (list.hidden) openList();
    else closeList(true);
    input.focus();
  });
  input.addEventListener("keydown", (event) => {
    const toggle = event.key === "F4" || (event.altKey && (event.key === "ArrowDown" || event.key === "ArrowUp"));
    if (toggle) {
      if (list.hidden) openList();
      else closeList(true);
    } else if (event.key === "ArrowDown" || event.key === "ArrowUp") {
      step(event.key === "ArrowDown" ? 1 : -1);
    } else if (!list.hidden && (event.key === "Enter" || event.key === "Escape")) {
      closeList(event.key === "Enter");
    } else {
      return;
    }
    event.preventDefault();
    event.stopPropagation();
  });
  input.addEventListener("blur", () => closeList(true));
  return { root: box, carrier: input };
}
