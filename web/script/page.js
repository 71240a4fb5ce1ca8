// What the page does for the program (web/page.cpp calls it as Module.page):
// it draws on the canvas, shows the buttons' states, has the count told, and
// ends. Then it starts the program, whose code comes before the page's
// scripts in quillet.js (the build puts it there and this one last).
const quilletPage = ((buttons) => {
  "use strict";
  const [retry, end] = buttons;
  const box = document.getElementById("box");

  return {
    ...quilletCanvas,
    names: quilletKeys.names,
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
      quilletTelling.withdraw();
      retry.focus();
    },
    runFinished(text) {
      retry.focus();
      quilletTelling.tell(text);
      quilletOffline.keep();
    },
    // A page may not close the tab it is in: it goes quiet and says so (an
    // alert, which Orca speaks in Firefox too), over the drawing dimmed, and
    // the keyboard focus rests on what it says; a button beside it starts
    // again, as a reload does.
    ended(words) {
      quilletTelling.withdraw();
      const said = Object.assign(document.createElement("p"), { id: "ended", tabIndex: -1, textContent: words });
      said.setAttribute("role", "alert");
      const again = Object.assign(document.createElement("button"), { id: "again", textContent: "Start again" });
      again.addEventListener("click", () => location.reload());
      const over = Object.assign(document.createElement("div"), { className: "over" });
      over.append(said, again);
      box.append(over);
      said.focus();
      retry.disabled = end.disabled = true;
    },
    // The program's code did not come, or did not compile: the page says so
    // (opened from a file, that it must be served), and the buttons are off.
    unable() {
      retry.disabled = end.disabled = true;
      if (location.protocol === "file:") document.getElementById("onDisk").hidden = false;
      else document.getElementById("unable").classList.add("shown");
    },
    // The browser's turn in a run: the run waits for a message it posts
    // itself, a task that comes after what the browser has waiting (a paint,
    // a click), without the 4 ms that a timer adds after a few turns.
    turn() {
      return new Promise((resolve) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = resolve;
        channel.port2.postMessage(0);
      });
    },
    seed() {
      // 53 random bits: every one of them a double holds exactly.
      const [high, low] = crypto.getRandomValues(new Uint32Array(2));
      return (high % 2 ** 21) * 2 ** 32 + low;
    },
  };
})(document.querySelectorAll("#bar button"));

// (The page's own line that it could not start is not wanted now.)
document.documentElement.classList.add("started");
const quillet = { page: quilletPage };
quilletKeys.started(quillet);
{
  const [retry, end] = document.querySelectorAll("#bar button");
  // (Until the program's code has come, a press does nothing.)
  retry.addEventListener("click", () => quillet._quilletRetry?.());
  end.addEventListener("click", () => quillet._quilletEnd?.());
  // (The buttons are off in the HTML, for a browser that runs no script.)
  retry.disabled = end.disabled = false;
}
createQuillet(quillet).catch(() => quilletPage.unable());
