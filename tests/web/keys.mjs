// The page's access keys in a real browser window, typed with xdotool as a
// person types them, where the browser's own keys are heard too (a headless
// browser has no menus to open): Alt+R and Alt+Shift+R draw anew, Alt+E
// ends, and no menu of the browser's opens: a key typed after each is the
// page's, where a menu that had opened would have taken it.
//   node keys.mjs PAGE_FOLDER chromium|firefox     (on an X display with a window manager)
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { after, test } from "node:test";
import { finished, launch, open, said } from "./browse.mjs";
import { serve } from "../../web/serve.mjs";

const [folder, kind] = process.argv.slice(2);
const { server, address } = await serve(folder);
const browser = await launch(kind, { headless: false, args: ["--window-size=1000,800"] });
after(async () => {
  await browser.close();
  server.close();
});
const xdotool = (...args) => execFileSync("xdotool", args, { encoding: "utf8" }).trim();

test(`in a ${kind} window, the access keys are the page's`, async () => {
  const tab = await open(browser, address, {});
  await finished(tab);
  // The keyboard to the page as a person gives it: a click on the page, off the box.
  const window = xdotool("search", "--sync", "--onlyvisible", "--name", "^Quillet").split("\n")[0];
  const height = xdotool("getwindowgeometry", "--shell", window).match(/HEIGHT=(\d+)/)[1];
  xdotool("windowactivate", "--sync", window);
  xdotool("mousemove", "--window", window, "20", String(height - 20), "click", "1");
  await tab.waitForFunction(() => document.hasFocus());
  await tab.evaluate(() => {
    window.seen = [];
    addEventListener("keydown", (e) => window.seen.push(e.key));
  });
  const seen = async (key, k) => {
    try {
      await tab.waitForFunction((key, k) => window.seen.filter((s) => s === key).length === k, {}, key, k);
    } catch {
      assert.fail(`the page never saw the "${key}" typed after the keys, which a menu of the browser's took: ` +
        `it saw ${JSON.stringify(await tab.evaluate(() => window.seen))}`);
    }
  };

  // Each key's effect first, then a key after it: by then the browser has
  // done with the first whatever it does.
  let runs = 1;
  for (const keys of ["alt+r", "alt+shift+r"]) {
    xdotool("key", keys);
    await finished(tab, ++runs);
    xdotool("key", "period");
    await seen(".", runs - 1);
  }
  xdotool("key", "alt+e");
  await tab.waitForSelector("#ended");
  xdotool("key", "period");
  await seen(".", runs);
  assert.deepEqual(await tab.evaluate(() => [document.getElementById("ended")?.textContent, document.activeElement.id]),
    [process.env.QUILLET_ENDED, "ended"], "Alt+E ends, and the focus rests on what the page says");
  assert.deepEqual(said(tab), [], "the console says nothing");
});
