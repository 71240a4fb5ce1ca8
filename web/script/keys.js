// The page's keys: what a key on a focused button does, as the program's
// lifecycle decides; Alt and a caption's letter, as on the desktop; and
// whether the keyboard or a pointer was used last, for the focus ring.
const quilletKeys = ((buttons) => {
  "use strict";
  const [retry, end] = buttons;
  let program = null;
  // The lifecycle's buttons, keys and answers by name, as the program numbers
  // them (names()).
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

  // The focus ring shows for the keyboard only (the page moves the focus
  // itself after each run).
  window.addEventListener("pointerdown", () => document.documentElement.classList.add("pointed"), true);
  window.addEventListener("keydown", () => document.documentElement.classList.remove("pointed"), true);

  // Alt and a caption's letter press its button; with Shift too, Firefox's
  // rule for access keys. The page takes these keys before the browser:
  // Chromium's menu would open at Alt+E, Firefox's Edit menu too. (The letter
  // as typed, or where it lies on the keyboard when the layout types no Latin
  // letter there.)
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
    // The program, once its code has come (until then, a key does nothing).
    started(module) { program = module; },
    names(button, key, action) { named = { button, key, action }; },
  };
})(document.querySelectorAll("#bar button"));
