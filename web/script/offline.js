// The offline store: the service worker that keeps the page for use with no
// network, asked for once, after the first diagram. It fetches the page's
// files again, which must not slow the first diagram down. (A browser without
// one, or a page not served over HTTPS, goes without.)
const quilletOffline = (() => {
  "use strict";
  let kept = false;
  return {
    keep() {
      if (kept || !("serviceWorker" in navigator)) return;
      kept = true;
      navigator.serviceWorker.register("sw.js").catch(() => {});
    },
  };
})();
