// What the page does for the program (web/page.cpp calls it as Module.page):
// it draws on the canvas, shows the buttons' states, tells a screen reader
// each finished diagram's count, and ends. Then it starts the program, whose
// code comes before this in quillet.js (the build puts it there), and once
// the first diagram is drawn, the service worker that keeps the page for use
// with no network.
"use strict";

const quilletPage = (() => {
  const canvas = document.getElementById("canvas");
  const box = document.getElementById("box");
  const [retry, end] = document.querySelectorAll("#bar button");
  const told = document.getElementById("told");
  let program = null;
  let runs = 0;

  // A count is told once the page has settled, two frames after the run
  // cleared the last. Settled: a second and a half after the load event.
  // Firefox tells a screen reader that the page has loaded 150 to 380 ms
  // after its load event (measured on two cores), Orca 47 drops a change it
  // hears before that, taking it for another tab's, and the page cannot see
  // the moment. (The wait costs a listener little: Orca speaks the page's
  // name, its landmark and the focused button first in any case.)
  // The same count again is heard because the browser sees the clear first;
  // and the count is told in a plain live region, not a status: Orca 47 drops
  // a status's change within 0.1 s of another in the same browser (Firefox's
  // own status bar, as the page loads), not a live region's.
  const settled = new Promise((resolve) => {
    const later = () => setTimeout(resolve, 1500);
    if (document.readyState === "complete") later();
    else addEventListener("load", later, { once: true });
  });
  const twoFrames = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));

  // The run draws on a box of the size the canvas has in the HTML (the
  // window's drawing area), which the page fits to the screen and draws at
  // the device's pixels. What is drawn since the last clear is kept, to draw
  // again when the box changes size (a turned phone, a zoom, a printed
  // sheet), on the program's background: the canvas carries its own, which
  // prints, and which a contrast theme leaves as it is.
  const ctx = canvas.getContext("2d");
  const [boxWidth, boxHeight] = [canvas.width, canvas.height];
  let drawing = [];
  let background = null;
  const draw = (op) => {
    drawing.push(op);
    op();
  };
  function repaint() {
    if (background) {
      ctx.fillStyle = background;
      ctx.fillRect(0, 0, boxWidth, boxHeight);
    }
    for (const op of drawing) op();
  }
  function fit(width, height) {
    if (width === canvas.width && height === canvas.height) return;
    canvas.width = width;
    canvas.height = height;
    ctx.setTransform(width / boxWidth, 0, 0, height / boxHeight, 0, 0);
    ctx.lineWidth = Math.max(1, boxWidth / width);  // never thinner than a device pixel
    repaint();
  }
  // The browser says the box's size in device pixels, where it can; it is
  // taken where it agrees with the size in CSS pixels times the pixel ratio
  // (Chromium's device emulation says CSS pixels there).
  const sized = new ResizeObserver(([entry]) => {
    const [device] = entry.devicePixelContentBoxSize || [];
    const [content] = entry.contentBoxSize;
    const width = content.inlineSize * devicePixelRatio;
    const exact = device && Math.abs(device.inlineSize - width) < 1;
    fit(exact ? device.inlineSize : Math.round(width),
      exact ? device.blockSize : Math.round(content.blockSize * devicePixelRatio));
  });
  try {
    sized.observe(canvas, { box: "device-pixel-content-box" });
  } catch {
    sized.observe(canvas);  // (where the browser cannot say the device's pixels)
  }
  // The service worker, asked for once, after the first diagram: it fetches
  // the page's files again, which must not slow the first diagram down. (A
  // browser without one, or a page not served over HTTPS, goes without.)
  let kept = false;
  function keepForOffline() {
    if (kept || !("serviceWorker" in navigator)) return;
    kept = true;
    navigator.serviceWorker.register("sw.js").catch(() => {});
  }
  const css = (c) => `rgb(${c & 255},${(c >> 8) & 255},${(c >> 16) & 255})`;

  // What a key on a focused button does, as the lifecycle decides: its
  // buttons, keys and answers by name, as the program numbers them (names()).
  let named = null;
  const keyOf = (e) => (e.key === " " ? named.key.Space : e.key === "Enter" ? named.key.Enter : named.key.Other);
  for (const [element, name] of [[retry, "Retry"], [end, "End"]]) {
    const answer = (key) => program._quilletKey(named.button[name], key);
    element.addEventListener("keydown", (e) => {
      if (!named || e.altKey || e.ctrlKey || e.metaKey) return;
      const action = answer(keyOf(e));
      if (action === named.action.Pass) return;
      e.preventDefault();
      if (action === named.action.Click) element.click();
    });
    // Space presses a button as its key comes up: a Space swallowed as it
    // went down must not press it then.
    element.addEventListener("keyup", (e) => {
      if (named && e.key === " " && answer(named.key.Space) === named.action.Swallow) e.preventDefault();
    });
  }
  // (Until the program's code has come, a press does nothing.)
  retry.addEventListener("click", () => program?._quilletRetry?.());
  end.addEventListener("click", () => program?._quilletEnd?.());

  // Whether the keyboard or a pointer was used last: the focus ring shows for
  // the keyboard only (the page moves the focus itself after each run).
  window.addEventListener("pointerdown", () => document.documentElement.classList.add("pointed"), true);
  window.addEventListener("keydown", () => document.documentElement.classList.remove("pointed"), true);

  // Alt and a caption's letter press its button, as on the desktop; with
  // Shift too, Firefox's rule for access keys. The page takes these keys
  // before the browser: Chromium's menu would open at Alt+E, Firefox's Edit
  // menu too. (The letter as typed, or where it lies on the keyboard when the
  // layout types no Latin letter there.)
  const accessKeys = Object.fromEntries([retry, end].map((b) =>
    [`Key${b.getAttribute("aria-keyshortcuts").slice(-1)}`, b]));
  window.addEventListener("keydown", (e) => {
    const letter = /^[a-z]$/i.test(e.key) ? `Key${e.key.toUpperCase()}` : e.code;
    const pressed = e.altKey && !e.ctrlKey && !e.metaKey && accessKeys[letter];
    if (!pressed) return;
    e.preventDefault();
    if (!program || pressed.disabled || pressed.getAttribute("aria-disabled") === "true") return;
    if (pressed === retry) retry.focus();
    pressed.click();
  });

  return {
    started(module) { program = module; },
    names(button, key, action) { named = { button, key, action }; },
    background(colour) {
      background = css(colour);
      repaint();
    },
    clear() {
      drawing = [];
      repaint();
    },
    line(x1, y1, x2, y2, colour) {
      draw(() => {
        ctx.strokeStyle = css(colour);
        ctx.beginPath();
        ctx.moveTo(x1, y1);
        ctx.lineTo(x2, y2);
        ctx.stroke();
      });
    },
    circle(x, y, r, colour) {
      draw(() => {
        ctx.strokeStyle = css(colour);
        ctx.beginPath();
        ctx.arc(x, y, r, 0, 2 * Math.PI);
        ctx.stroke();
      });
    },
    print(x, y, points, colour, text) {
      draw(() => {
        ctx.fillStyle = css(colour);
        ctx.font = `${points}pt sans-serif`;
        ctx.textBaseline = "top";
        ctx.fillText(text, x, y);
      });
    },
    // While a run draws, Retry is off and End is out of the Tab order. Retry
    // keeps the keyboard focus if it had it, and ignores what presses it.
    retryEnabled(enabled) {
      retry.setAttribute("aria-disabled", String(!enabled));
      end.tabIndex = enabled ? 0 : -1;
    },
    // Retry has the keyboard focus from a run's start, the first run's too: a
    // move of the focus as the count is told would cut it off (Orca 47 drops
    // what it has not yet said when the focus moves).
    runStarted() {
      runs += 1;
      retry.focus();
      told.textContent = "";
    },
    runFinished(text) {
      retry.focus();
      const run = runs;
      settled.then(twoFrames).then(() => {
        if (run === runs) told.textContent = text;  // (not after a later run, or End)
      });
      keepForOffline();
    },
    // A page may not close the tab it is in: it goes quiet and says so (an
    // alert, which Orca speaks in Firefox too), and the keyboard focus rests
    // on what it says.
    ended(words) {
      runs += 1;
      told.textContent = "";
      const said = Object.assign(document.createElement("p"), { id: "ended", tabIndex: -1 });
      said.setAttribute("role", "alert");
      said.textContent = words;
      box.append(said);
      said.focus();
      retry.disabled = end.disabled = true;
    },
    // The program's code did not come, or did not compile: the page says so,
    // and the buttons are off.
    unable() {
      retry.disabled = end.disabled = true;
      document.getElementById("unable").hidden = false;
    },
    seed() {
      // 53 random bits: every one of them a double holds exactly.
      const [high, low] = crypto.getRandomValues(new Uint32Array(2));
      return (high % 2 ** 21) * 2 ** 32 + low;
    },
  };
})();

const quillet = { page: quilletPage };
quilletPage.started(quillet);
// (The buttons are off in the HTML, for a browser that runs no script.)
for (const button of document.querySelectorAll("#bar button")) button.disabled = false;
createQuillet(quillet).catch(() => quilletPage.unable());
