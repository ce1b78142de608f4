// The coil calculator's dialog in the browser: laid out from the engine's control table, its
// handlers run in WebAssembly, and their control writes and message boxes shown in their order.
"use strict";

(() => {
  // Pixels per dialog unit, as Windows maps them for an 8-point "MS Sans Serif": 6 x 13 pixels
  // for 4 x 8 units.
  const PIXELS_X = 6 / 4;
  const PIXELS_Y = 13 / 8;
  // A drop-down combo box is as tall as its font makes its edit part; the table gives its height
  // with the list dropped down.
  const COMBO_CLOSED_HEIGHT = 21;
  // The combo box has no tab stop; this access key (Alt+U) reaches it from the keyboard.
  const COMBO_ACCESS_KEY = "u";
  // What a user can type into a Windows edit control before its limit is changed.
  const EDIT_TEXT_LIMIT = "32767";

  // Milliseconds since navigation: engine loaded, dialog usable; and from the last click on a
  // solve button to its last result written.
  const timings = { engineReady: NaN, dialogReady: NaN, lastSolve: NaN };
  window.coilcalcTimings = timings;
  // Every write and message box shown, in order, for anyone checking the order (the tests).
  const shown = [];
  window.coilcalcShown = shown;

  let engine;
  let dialog;
  let frame; // the dialog's window
  const elements = new Map(); // control id -> the element that carries data-control-id
  let busy = false; // a handler's writes and message boxes are being shown
  let helpMode = false; // the "?" button was pressed: the next click asks for help

  function call(name, result, types, args) {
    return engine.ccall(name, result, types || [], args || []);
  }

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

  function element(tag, attributes, children) {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes || {})) {
      if (name === "text") node.textContent = value;
      else if (name === "className") node.className = value;
      else node.setAttribute(name, value);
    }
    for (const child of children || []) node.append(child);
    return node;
  }

  const isEditable = (control) => control.kind === "input field" || control.kind === "combo box";

  // The text of a control as the window operations read it.
  function controlText(id) {
    const node = elements.get(id);
    return node instanceof HTMLInputElement ? node.value : node.textContent;
  }

  function setControlText(id, text) {
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

  function buildComboBox(control, rect) {
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
    dialog.inductanceUnits.forEach((unit, index) => {
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
    const items = () => [...list.children];
    function highlight() {
      for (const item of items()) item.setAttribute("aria-selected", item.textContent === input.value);
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
      const units = dialog.inductanceUnits;
      const at = units.indexOf(input.value);
      const next = at < 0 ? 0 : Math.min(units.length - 1, Math.max(0, at + by));
      input.value = units[next];
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
    Object.assign(box.style, { left: rect.left + "px", top: rect.top + "px", width: rect.width + "px" });
    return { root: box, carrier: input };
  }

  function buildControl(control, index) {
    const rect = mapRect(control);
    const id = control.id;
    let root;
    let carrier;
    switch (control.kind) {
      case "push button":
        root = carrier = element("button", { type: "button", "data-control-id": id, text: control.text });
        if (!control.tabStop) {
          root.tabIndex = -1;
          // Buttons without a tab stop are reached with Alt and their first letter.
          root.setAttribute("accesskey", control.text[0].toLowerCase());
        }
        break;
      case "option button": {
        const radio = element("input", { type: "radio", name: "length-unit", value: id });
        const unit = dialog.lengthUnits.find((u) => u.optionId === id);
        radio.checked = Boolean(unit && unit.selected);
        root = carrier = element("label", { className: "option", "data-control-id": id }, [
          radio,
          element("span", { text: control.text }),
        ]);
        root.dataset.textTarget = "span";
        break;
      }
      case "group box":
        root = carrier = element("fieldset", { className: "frame", "data-control-id": id }, [
          element("legend", { text: control.text }),
        ]);
        root.dataset.textTarget = "legend";
        break;
      case "label": {
        const field = fieldOfLabel(control);
        root = carrier = element("label", { className: "label", "data-control-id": id, text: control.text });
        if (field) root.htmlFor = "control-" + field.id;
        root.id = "control-" + id;
        break;
      }
      case "input field":
        root = carrier = element("input", {
          type: "text",
          className: "field",
          id: "control-" + id,
          "data-control-id": id,
          autocomplete: "off",
          spellcheck: "false",
          maxlength: EDIT_TEXT_LIMIT,
        });
        root.value = control.text;
        break;
      case "output line":
        root = carrier = element("input", {
          type: "text",
          className: "output",
          readonly: "",
          tabindex: "-1",
          "data-control-id": id,
        });
        root.value = control.text;
        break;
      case "combo box":
        ({ root, carrier } = buildComboBox(control, rect));
        break;
      case "image":
        root = carrier = element("img", {
          className: "sketch",
          src: "sketch.png",
          alt: "Sketch of a coil with its winding height and its diameter marked",
          "data-control-id": id,
        });
        break;
      default:
        root = carrier = element("div", { "data-control-id": id });
    }
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
    elements.set(id, carrier);
    return root;
  }

  const backgroundColour = () => `rgb(${dialog.background.join(",")})`;

  function buildDialog() {
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

    help.addEventListener("mousedown", (event) => event.preventDefault());
    help.addEventListener("click", () => setHelpMode(!helpMode));
    close.addEventListener("click", () => !busy && endDialog());
    client.addEventListener("mousedown", helpClick, true);
    client.addEventListener("click", helpClick, true);
    for (const control of dialog.controls) attachHandler(control);
    document.addEventListener("keydown", dialogKey);
    return frame;
  }

  function attachHandler(control) {
    const node = elements.get(control.id);
    if (control.kind === "option button") {
      // A click, also on the option already selected, and the arrow keys that move the
      // selection within the group all arrive as clicks.
      node.querySelector("input").addEventListener("click", () => run(() => call("PageSwitchUnit", "string", ["number"], [control.id])));
      return;
    }
    if (control.kind !== "push button") return;
    const buttons = dialog.buttons;
    node.addEventListener("click", (event) => {
      if (busy) return;
      if (control.id === buttons.solveInductance || control.id === buttons.solveTurns) {
        solve(control.id === buttons.solveInductance, event.timeStamp);
      } else if (control.id === buttons.about) {
        run(() => JSON.stringify([["message", dialog.aboutCaption, call("PageAboutText", "string")]]));
      } else if (control.id === buttons.quit) {
        endDialog();
      }
    });
  }

  // The engine's solve over the texts the page's fields hold now; its trace as JSON text.
  function engineSolve(forInductance) {
    for (const control of dialog.controls) {
      if (isEditable(control)) call("PageSetText", null, ["number", "string"], [control.id, controlText(control.id)]);
    }
    return call("PageSolve", "string", ["number"], [forInductance ? 1 : 0]);
  }

  function solve(forInductance, clickedAt) {
    run(() => engineSolve(forInductance), clickedAt);
  }

  // Runs a handler in the engine and shows its trace: writes at once, each message box until
  // it is closed. Nothing else of the dialog takes input meanwhile.
  async function run(handler, startedAt) {
    if (busy) return;
    busy = true;
    try {
      const trace = JSON.parse(handler());
      for (const [kind, subject, text] of trace) {
        shown.push([kind, subject, text]);
        if (kind === "set") setControlText(subject, text);
        else await messageBox(subject, text);
      }
      // A stopped solve ends with its message; a completed one with a write.
      if (startedAt !== undefined && trace.length && trace[trace.length - 1][0] === "set") {
        timings.lastSolve = performance.now() - startedAt;
        showReference(JSON.parse(call("PageReference", "string")));
      }
    } finally {
      busy = false;
    }
  }

  // A task-modal message box: caption, text, the information icon and one OK button.
  function messageBox(caption, text) {
    return new Promise((resolve) => {
      const returnFocus = document.activeElement;
      const id = "box-" + Math.random().toString(36).slice(2);
      const ok = element("button", { type: "button", text: "OK" });
      const close = element("button", { type: "button", tabindex: "-1", text: "\u00d7" });
      close.title = "Close";
      const box = element(
        "div",
        { className: "window msgbox", role: "alertdialog", "aria-modal": "true", "aria-labelledby": id + "-caption", "aria-describedby": id + "-text" },
        [
          element("div", { className: "titlebar" }, [element("span", { className: "title", id: id + "-caption", text: caption }), close]),
          element("div", { className: "body" }, [
            element("div", { className: "icon", "aria-hidden": "true", text: "i" }),
            element("p", { className: "text", id: id + "-text", text: text.replace(/\r\n/g, "\n") }),
          ]),
          element("div", { className: "buttons" }, [ok]),
        ]
      );
      const overlay = element("div", { className: "overlay" }, [box]);
      function dismiss() {
        overlay.remove();
        frame.inert = false;
        if (returnFocus && returnFocus.isConnected) returnFocus.focus();
        resolve();
      }
      ok.addEventListener("click", dismiss);
      close.addEventListener("click", dismiss);
      overlay.addEventListener("mousedown", (event) => {
        if (!box.contains(event.target)) event.preventDefault();
      });
      overlay.addEventListener("keydown", (event) => {
        if (event.key === "Enter" || event.key === "Escape") {
          event.preventDefault();
          dismiss();
        } else if (event.key === "Tab") {
          event.preventDefault(); // the box has one button, so focus stays on it
          ok.focus();
        }
        event.stopPropagation();
      });
      frame.inert = true;
      document.body.append(overlay);
      ok.focus();
    });
  }

  // The physics check below the dialog: the reference for the last completed solve beside the
  // dialog's own figures.
  function buildPhysicsPanel() {
    return element("section", { className: "physics", "aria-labelledby": "physics-title", "aria-live": "polite" }, [
      element("h2", { id: "physics-title", text: "Physics check" }),
      element("p", { className: "wire", text: "Solve a coil to compare the dialog's figures with the physics reference." }),
      element("table", { hidden: "" }),
    ]);
  }

  // As C's %.6g.
  const sixDigits = (value) => (value === null ? "none" : String(Number(value.toPrecision(6))));

  function showReference(reference) {
    const panel = document.querySelector(".physics");
    const unit = controlText(dialog.lengthUnitLabelId).trim();
    const wire = panel.querySelector(".wire");
    const table = panel.querySelector("table");
    if (reference.fault) {
      wire.textContent = "No reference for this coil: " + reference.fault + ".";
      table.hidden = true;
      return;
    }
    wire.textContent = `Round copper wire AWG ${reference.gauge}, ${sixDigits(reference.wire)} ${unit}:`;
    const rows = [
      ["Inductance, current sheet", reference.sheetInductance, reference.dialogInductance, "uH"],
      ["Inductance, round wire", reference.inductance, reference.dialogInductance, "uH"],
      ["Self-capacitance (Medhurst)", reference.capacitance, reference.dialogCapacitance, "pF"],
      ["Self-resonance, helical line", reference.helicalResonance, reference.dialogResonance, "MHz"],
      ["Self-resonance, lumped L and C", reference.lumpedResonance, reference.dialogResonance, "MHz"],
    ];
    if ("turns" in reference) rows.push(["Turns for the inductance", reference.turns, reference.dialogTurns, ""]);
    const head = element("tr", {}, ["", "reference", "dialog", "dialog vs reference"].map((t) => element("th", { text: t })));
    table.replaceChildren(head);
    for (const [label, value, own, unitText] of rows) {
      const difference = value === null || own === null ? "" : ((100 * (own - value)) / value).toFixed(2);
      table.append(
        element("tr", {}, [
          element("th", { scope: "row", text: label }),
          element("td", { text: `${sixDigits(value)} ${unitText}`.trim() }),
          element("td", { text: `${sixDigits(own)} ${unitText}`.trim() }),
          element("td", { text: difference === "" ? "" : (difference.startsWith("-") ? "" : "+") + difference + "%" }),
        ])
      );
    }
    table.hidden = false;
  }

  function setHelpMode(on) {
    helpMode = on;
    frame.classList.toggle("helpmode", on);
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

  function showHelp(id) {
    const text = call("PageHelpText", "string", ["number"], [id]);
    if (text) run(() => JSON.stringify([["message", dialog.helpCaption, text]]));
  }

  // Keys the dialog itself handles: F1 asks for help on the focused control, Escape only ends
  // help mode (the dialog has no Cancel button, so Escape does not close it).
  function dialogKey(event) {
    if (busy || !frame.isConnected) return;
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
    const node = elements.get(control.id);
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

  function endDialog() {
    frame.remove();
    document.removeEventListener("keydown", dialogKey);
    document.documentElement.dataset.ended = "true";
    document.getElementById("desktop").append(element("p", { className: "ended", text: "The calculator has ended. Reload the page to start it again." }));
  }

  async function start() {
    engine = await createCoilcalcEngine();
    timings.engineReady = performance.now();
    dialog = JSON.parse(call("PageDialog", "string"));
    call("PageStart");
    const desktop = document.getElementById("desktop");
    document.getElementById("loading").remove();
    desktop.append(buildDialog(), buildPhysicsPanel());
    // One solve of the empty start-up fields, its trace read and dropped (it stops at its first
    // check and writes nothing), has the browser compile the solve's code now rather than on
    // the user's first click.
    JSON.parse(engineSolve(true));
    document.title = dialog.caption.trim();
    // The dialog manager gives the focus to the first tab stop.
    focusTarget(dialog.controls.find((c) => c.tabStop)).focus();
    timings.dialogReady = performance.now();
    document.documentElement.dataset.ready = "true";
  }

  start().catch((error) => {
    document.getElementById("loading").textContent = "The calculator could not start: " + error;
  });
})();
