// Element creation shared by the page's modules.

// What a user can type into a Windows edit control before its limit is changed.
export const EDIT_TEXT_LIMIT = "32767";

// A new element: attributes by name ("text" sets its text, "className" its classes), then its
// children in order.
export function element(tag, attributes, children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes || {})) {
    if (name === "text") node.textContent = value;
    else if (name === "className") node.className = value;
    else node.setAttribute(name, value);
  }
  for (const child of children || []) node.append(child);
  return node;
}
