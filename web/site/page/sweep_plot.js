// The coil over a band, under the physics check: |Z|, R and Q against frequency on logarithmic
// axes, drawn as SVG from the engine's sweep, with the working frequency and the self-resonance
// marked, and the engine's Touchstone file and SPICE model to download.
import { element } from "./dom.js";
import { timings } from "./test_hooks.js";

const SVG = "http://www.w3.org/2000/svg";
// The drawing's own units, one to a CSS pixel at its full width: it fits a 360-pixel phone.
const WIDTH = 340;
const HEIGHT = 220;
const LEFT = 34; // room for the ohms' labels
const RIGHT = 28; // and Q's
const TOP = 18; // the legend
const BOTTOM = 28; // the frequencies
const CURVES = [
  { name: "|Z|", className: "z" },
  { name: "R", className: "r" },
  { name: "Q", className: "q" },
];

let figure;
let urls = [];

function svg(tag, attributes, text) {
  const node = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
  if (text !== undefined) node.textContent = text;
  return node;
}

// A logarithmic scale from `low` to `high` (`whole`: widened to whole decades) onto the
// drawing's `from` to `to`: the map and the decades within.
function logScale(low, high, from, to, whole) {
  let first = Math.log10(low);
  let last = Math.log10(high);
  if (whole) {
    first = Math.floor(first);
    last = Math.max(Math.ceil(last), first + 1);
  }
  const at = (value) => from + ((Math.log10(value) - first) / (last - first)) * (to - from);
  const decades = [];
  for (let d = Math.ceil(first - 1e-9); d <= last + 1e-9; d++) decades.push(d);
  return { at, decades };
}

// A decade's label: 1e6 as "1M", 1e-2 as "0.01".
function decadeLabel(d) {
  const prefixes = [[9, "G"], [6, "M"], [3, "k"], [0, ""]];
  for (const [power, prefix] of prefixes) if (d >= power) return 10 ** (d - power) + prefix;
  return (10 ** d).toFixed(-d);
}

export function buildSweepPlot() {
  figure = element("figure", { className: "sweep", hidden: "" }, [
    element("figcaption", {}),
    element("p", { className: "downloads" }, [
      element("a", { className: "touchstone", text: "Touchstone", download: "coil.s1p" }),
      " ",
      element("a", { className: "spice", text: "SPICE model", download: "coil.cir" }),
    ]),
  ]);
  return figure;
}

// `sweep`: the engine's plot ({band, bandText, frequency, resonance, points: [[f, R, X], ...],
// touchstone, spice}), or null: nothing to plot. `started`: when the engine was asked for it.
export function showSweep(sweep, started) {
  figure.hidden = !sweep;
  figure.querySelector("svg")?.remove();
  for (const url of urls) URL.revokeObjectURL(url);
  urls = [];
  if (!sweep) return;
  const points = sweep.points;
  const f = points.map((p) => p[0]);
  const z = points.map(([, r, x]) => Math.hypot(r, x));
  const r = points.map((p) => p[1]);
  const q = points.map(([, r, x]) => x / r);
  const ohms = [...z, ...r].filter((v) => v > 0);
  const qs = q.filter((v) => v > 0);
  const x = logScale(f[0], f[f.length - 1], LEFT, WIDTH - RIGHT, false);
  const y = logScale(Math.min(...ohms), Math.max(...ohms), HEIGHT - BOTTOM, TOP, true);
  const yq = logScale(Math.min(...qs), Math.max(...qs), HEIGHT - BOTTOM, TOP, true);
  const plot = svg("svg", {
    viewBox: `0 0 ${WIDTH} ${HEIGHT}`,
    role: "img",
    "aria-label": `|Z|, R and Q of the coil from ${points[0][0]} to ${f[f.length - 1]} Hz`,
  });
  for (const d of x.decades) {
    const at = x.at(10 ** d);
    plot.append(svg("line", { class: "grid", x1: at, x2: at, y1: TOP, y2: HEIGHT - BOTTOM }));
    plot.append(svg("text", { x: at, y: HEIGHT - BOTTOM + 12, "text-anchor": "middle" }, decadeLabel(d)));
  }
  plot.append(svg("text", { x: (LEFT + WIDTH - RIGHT) / 2, y: HEIGHT - 3, "text-anchor": "middle" }, "Hz"));
  for (const d of y.decades) {
    const at = y.at(10 ** d);
    plot.append(svg("line", { class: "grid", x1: LEFT, x2: WIDTH - RIGHT, y1: at, y2: at }));
    plot.append(svg("text", { x: LEFT - 3, y: at + 4, "text-anchor": "end" }, decadeLabel(d)));
  }
  for (const d of yq.decades) {
    plot.append(svg("text", { class: "q", x: WIDTH - RIGHT + 3, y: yq.at(10 ** d) + 4 }, decadeLabel(d)));
  }
  plot.append(svg("text", { x: 2, y: TOP - 6 }, "ohms"));
  plot.append(svg("text", { class: "q", x: WIDTH - 2, y: TOP - 6, "text-anchor": "end" }, "Q"));
  const line = (values, scale) =>
    values
      .map((v, i) => (v > 0 ? `${x.at(f[i]).toFixed(1)},${scale.at(v).toFixed(1)}` : null))
      .filter(Boolean)
      .join(" ");
  plot.append(svg("polyline", { class: "z", points: line(z, y) }));
  plot.append(svg("polyline", { class: "r", points: line(r, y) }));
  plot.append(svg("polyline", { class: "q", points: line(q, yq) }));
  const marks = [
    [sweep.frequency, "f", "working"],
    [sweep.resonance, "f0", "resonance"],
  ];
  for (const [hertz, label, className] of marks) {
    const at = x.at(hertz);
    plot.append(svg("line", { class: `mark ${className}`, x1: at, x2: at, y1: TOP, y2: HEIGHT - BOTTOM }));
    plot.append(svg("text", { class: `mark ${className}`, x: at + 2, y: TOP + 9 }, label));
  }
  let legend = LEFT + 24;
  for (const { name, className } of CURVES) {
    plot.append(svg("line", { class: className, x1: legend, x2: legend + 14, y1: TOP - 10, y2: TOP - 10 }));
    plot.append(svg("text", { x: legend + 17, y: TOP - 6 }, name));
    legend += 44;
  }
  figure.prepend(plot);
  figure.querySelector("figcaption").textContent =
    `The coil from ${sweep.bandText} (--sweep ${sweep.band}): |Z| and R in ohms, and Q; ` +
    `f the working frequency, f0 the self-resonance (the coil's higher resonances are not in ` +
    `the model).`;
  for (const [className, text] of [["touchstone", sweep.touchstone], ["spice", sweep.spice]]) {
    const url = URL.createObjectURL(new Blob([text], { type: "text/plain" }));
    urls.push(url);
    figure.querySelector(`a.${className}`).href = url;
  }
  figure.dataset.band = sweep.band;
  timings.lastPlot = performance.now() - started;
}
