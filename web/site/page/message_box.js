// A task-modal message box over the page: caption, text, the information icon and one OK
// button; the dialog takes no input while it is open.
import { element } from "./dom.js";

let boxes = 0; // for the ids that name the box by its caption and text

// Shows the box over `owner` and resolves once it is closed (OK, Enter, Escape or its close
// button); the focus then returns to where it was.
export function messageBox(owner, caption, text) {
  return new Promise((resolve) => {
    const returnFocus = document.activeElement;
    const id = "box-" + ++boxes;
    const ok = element("button", { type: "button", text: "OK" });
    const close = element("button", { type: "button", tabindex: "-1", text: "\u00d7" });
    close.title = "Close";
    const box = element(
      "div",
      {
        className: "window msgbox",
        role: "alertdialog",
        "aria-modal": "true",
        "aria-labelledby": id + "-caption",
        "aria-describedby": id + "-text",
      },
      [
        element("div", { className: "titlebar" }, [
          element("span", { className: "title", id: id + "-caption", text: caption }),
          close,
        ]),
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
      owner.inert = false;
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
    owner.inert = true;
    document.body.append(overlay);
    ok.focus();
  });
}
