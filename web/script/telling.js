// The telling of a finished diagram's count to a screen reader, once,
// without moving the focus: in a plain live region, the page's "told".
//
// A count is told once the page has settled, two frames after the run
// cleared the last. Settled: a second and a half after the load event.
// Firefox tells a screen reader that the page has loaded 150 to 380 ms after
// its load event (measured on two cores), Orca 47 drops a change it hears
// before that, taking it for another tab's, and the page cannot see the
// moment. (The wait costs a listener little: Orca speaks the page's name, its
// landmark and the focused button first in any case.) The same count again
// is heard because the browser sees the clear first; and the count is told
// in a plain live region, not a status: Orca 47 drops a status's change
// within 0.1 s of another in the same browser (Firefox's own status bar, as
// the page loads), not a live region's.
const quilletTelling = ((told) => {
  "use strict";
  let runs = 0;
  const settled = new Promise((resolve) => {
    const later = () => setTimeout(resolve, 1500);
    if (document.readyState === "complete") later();
    else addEventListener("load", later, { once: true });
  });
  const twoFrames = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));

  return {
    // The last count is withdrawn: a run has started, or the program ended.
    withdraw() {
      runs += 1;
      told.textContent = "";
    },
    tell(text) {
      const run = runs;
      settled.then(twoFrames).then(() => {
        if (run === runs) told.textContent = text;  // (not after a later run, or End)
      });
    },
  };
})(document.getElementById("told"));
