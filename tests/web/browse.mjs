// The page in Debian's chromium or firefox-esr, driven by puppeteer-core:
// what the page tests share.
//   const browser = await launch("chromium" | "firefox", { headless, args });
//   const tab = await open(browser, address, hook, viewport);
//   await finished(tab, k)        until k runs have finished
//   said(tab)                     what the page said on its console, and its errors
import puppeteer from "puppeteer-core";

// As root, chromium runs only without its sandbox; it is kept off the
// network, which this machine does not reach.
export const quietChromium = ["--no-sandbox", "--no-first-run", "--disable-background-networking",
  "--disable-component-update", "--disable-sync"];

export function launch(kind, { headless = true, args = [] } = {}) {
  return puppeteer.launch(kind === "firefox"
    ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless }
    : { executablePath: "/usr/bin/chromium", headless, defaultViewport: headless ? undefined : null,
      args: [...quietChromium, ...args] });
}

const saidBy = new WeakMap();
export const said = (tab) => saidBy.get(tab);

// A new tab on the page, with window.quilletTest set to hook before it loads,
// at the viewport given (a headless browser's; a real one keeps its window's).
export async function open(browser, address, hook, viewport) {
  const tab = await browser.newPage();
  const heard = [];
  saidBy.set(tab, heard);
  tab.on("console", (m) => heard.push(m.text()));
  tab.on("pageerror", (e) => heard.push(String(e)));
  // (Firefox ESR 140 cannot emulate the screen's orientation, which puppeteer
  // asks for beside the viewport and the page has no use for: then the
  // viewport, asked for at the same time, is waited for.)
  if (viewport) {
    await tab.setViewport(viewport).catch((e) => {
      if (!String(e.message).includes("unknown command emulation.setScreenOrientationOverride")) throw e;
      return tab.waitForFunction((v) => innerWidth === v.width && innerHeight === v.height &&
        devicePixelRatio === v.deviceScaleFactor, {}, viewport);
    });
  }
  // (and where the page stood when Retry first had the focus, the trace's
  // length; each change of what is told, with the number of frames shown
  // until then and the milliseconds since the load event, -1 before it; and
  // the tasks of 50 ms or more, where the browser tells them)
  await tab.evaluateOnNewDocument((t) => {
    window.quilletTest = t;
    t.runs = t.frames = 0;
    t.tellings = [];
    t.longTasks = [];
    if (PerformanceObserver.supportedEntryTypes.includes("longtask")) {
      new PerformanceObserver((list) => t.longTasks.push(...list.getEntries())).observe({ type: "longtask" });
    }
    const tick = () => requestAnimationFrame(() => ((t.frames += 1), tick()));
    tick();
    addEventListener("focusin", (e) => { if (e.target.id === "cmdRetry") t.focusedAtTrace ??= t.trace?.length; });
    addEventListener("DOMContentLoaded", () => {
      const told = document.getElementById("told");
      new MutationObserver(() => {
        const loaded = performance.getEntriesByType("navigation")[0].loadEventStart;
        t.tellings.push([t.frames, told.textContent, loaded ? performance.now() - loaded : -1]);
      })
        .observe(told, { childList: true, characterData: true, subtree: true });
    });
  }, hook);
  await tab.goto(address);
  return tab;
}

// Until k runs have finished since the page loaded (a run that never
// finishes fails with what the page said: an error, say).
export function finished(tab, k = 1) {
  return tab.waitForFunction((n) => window.quilletTest.runs >= n &&
    document.getElementById("cmdRetry").getAttribute("aria-disabled") === "false", {}, k)
    .catch((e) => { throw new Error(`no run finished; the page said: ${JSON.stringify(said(tab))}`, { cause: e }); });
}
