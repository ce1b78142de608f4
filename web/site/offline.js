// Registers the service worker (sw.js) that keeps the page working offline, once the
// calculator is ready, and hands over to a newly installed version only then.
"use strict";

(() => {
  if (!("serviceWorker" in navigator)) return;
  const root = document.documentElement;

  // A new version's worker waits until this page has all its files, so that no page ever runs
  // one version's script with another's engine; the next load is then the new version.
  function takeOver(worker) {
    if (worker.state === "installed") worker.postMessage("take over");
    else worker.addEventListener("statechange", () => worker.state === "installed" && worker.postMessage("take over"));
  }

  async function register() {
    const registration = await navigator.serviceWorker.register("sw.js");
    // The browser may have found the new version on this page's navigation already.
    const found = registration.waiting || registration.installing;
    if (found) takeOver(found);
    registration.addEventListener("updatefound", () => takeOver(registration.installing));
  }

  function whenReady() {
    if (root.dataset.ready !== "true") return false;
    register().catch((error) => console.warn("The page will not work offline:", error));
    return true;
  }
  if (!whenReady()) {
    const observer = new MutationObserver(() => whenReady() && observer.disconnect());
    observer.observe(root, { attributes: true, attributeFilter: ["data-ready"] });
  }
})();
