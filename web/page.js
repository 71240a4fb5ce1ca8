// What the page does for the program (web/main.cpp calls it as Module.page):
// it draws on the canvas, shows the buttons' states, tells a screen reader
// each finished diagram's count, and ends. A test may set window.quilletTest
// = { seed, trace: [], turnEveryPump } before the page loads: the runs then
// use that seed, every drawing operation is written to trace, one line each,
// and (turnEveryPump) the browser has a turn at every pump of a run; each
// run's start and end (performance.now()) go to startedAt and finishedAt.
"use strict";

const quilletPage = (() => {
  const canvas = document.getElementById("canvas");
  const retry = document.getElementById("cmdRetry");
  const end = document.getElementById("cmdEnd");
  const told = document.getElementById("told");
  const test = window.quilletTest;
  let program = null;

  // The canvas at the screen's pixel density, so that lines are crisp.
  const ratio = window.devicePixelRatio || 1;
  canvas.width = Math.round(788 * ratio);
  canvas.height = Math.round(565 * ratio);
  const ctx = canvas.getContext("2d");
  ctx.scale(ratio, ratio);
  ctx.lineWidth = 1;
  const css = (c) => `rgb(${c & 255},${(c >> 8) & 255},${(c >> 16) & 255})`;

  // Buttons and lifecycle keys, numbered as the lifecycle numbers them.
  const button = { Retry: 0, End: 1 };
  const key = (e) => (e.key === " " ? 0 : e.key === "Enter" ? 1 : 2);
  for (const [element, number] of [[retry, button.Retry], [end, button.End]]) {
    element.addEventListener("keydown", (e) => {
      if (!program || e.altKey || e.ctrlKey || e.metaKey) return;
      const action = program._quilletKey(number, key(e));
      if (action === 0) return;
      e.preventDefault();
      if (action === 2) element.click();
    });
    // Space presses a button as its key comes up: a Space swallowed as it
    // went down must not press it then.
    element.addEventListener("keyup", (e) => {
      if (program && e.key === " " && program._quilletKey(number, 0) === 1) e.preventDefault();
    });
  }
  retry.addEventListener("click", () => program && program._quilletRetry());
  end.addEventListener("click", () => program && program._quilletEnd());

  return {
    started(module) { program = module; },
    clear() {
      ctx.fillStyle = "#000";
      ctx.fillRect(0, 0, 788, 565);
    },
    line(x1, y1, x2, y2, colour) {
      ctx.strokeStyle = css(colour);
      ctx.beginPath();
      ctx.moveTo(x1, y1);
      ctx.lineTo(x2, y2);
      ctx.stroke();
    },
    circle(x, y, r, colour) {
      ctx.strokeStyle = css(colour);
      ctx.beginPath();
      ctx.arc(x, y, r, 0, 2 * Math.PI);
      ctx.stroke();
    },
    print(x, y, points, colour, text) {
      ctx.fillStyle = css(colour);
      ctx.font = `${points}pt sans-serif`;
      ctx.textBaseline = "top";
      ctx.fillText(text, x, y);
    },
    // While a run draws, Retry is off and End is out of the Tab order.
    retryEnabled(enabled) {
      retry.disabled = !enabled;
      end.tabIndex = enabled ? 0 : -1;
    },
    runStarted() {
      told.textContent = "";
      if (test) test.startedAt = performance.now();
    },
    runFinished(text) {
      retry.focus();
      told.textContent = text;
      if (test) test.finishedAt = performance.now();
    },
    // A page may not close the tab it is in: it goes quiet and says so.
    ended() {
      retry.disabled = end.disabled = true;
      told.textContent = "";
      document.querySelector("main").insertAdjacentHTML("beforeend", '<p id="ended" role="status">Quillet has ended.</p>');
    },
    seed() {
      if (test && Number.isInteger(test.seed)) return test.seed;
      // 53 random bits: every one of them a double holds exactly.
      const [high, low] = crypto.getRandomValues(new Uint32Array(2));
      return (high % 2 ** 21) * 2 ** 32 + low;
    },
    tracing() { return !!(test && Array.isArray(test.trace)); },
    turnEveryPump() { return !!(test && test.turnEveryPump); },
    trace(line) { test.trace.push(line); },
  };
})();
