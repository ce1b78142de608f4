// What the page publishes for the tests (and anyone measuring it): its timings and what its
// last action showed.

// Milliseconds since navigation: engine loaded, dialog usable; from the last click on a solve
// that completed to its last result written; the last redraw of the sweep's plot;
// and the last design, from its start to its table.
export const timings = {
  engineReady: NaN,
  dialogReady: NaN,
  lastSolve: NaN,
  lastPlot: NaN,
  lastDesign: NaN,
};

// The writes and message boxes of the last action, in the order shown: ["set", id, text] or
// ["message", caption, text]. Emptied when the next action starts, so it never grows for the
// life of the page.
const shown = [];

export function actionStarts() {
  shown.length = 0;
}

export function recordShown(entry) {
  shown.push(entry);
}

window.coilcalcTimings = timings;
window.coilcalcShown = shown;

// The page's state on its root element: data-ready once the dialog takes input (offline.js
// waits for it too), data-ended once Quit has ended it.
export function markReady() {
  document.documentElement.dataset.ready = "true";
}

export function markEnded() {
  document.documentElement.dataset.ended = "true";
}
