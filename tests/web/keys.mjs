// The keyboard for browser.mjs, and what a screen reader meets: keys, the focus, what a reader
// reads where it is, whether the page left a key to the browser, the page's Tab stops.
//
//   key NAME [TIMES] | key_held NAME     a key pressed (times over), or held until it repeats
//   focused                        the id (or tag) of the element that has the focus: "game"
//                                  for the canvas or the reader's element over it
//   reader                         what a screen reader reads where the focus is
//   key_default KEYS               "kept" where the page left the key (or keys held together,
//                                  "Control+r") to the browser, else "prevented"
//   tab_stops                      the page's stops in the Tab order, by id

// session: { engine, page, settle() }.
export function keyCommands(session) {
  return {
    key: async (name, times = 1) => {
      // (WebDriver BiDi names the space bar by its character.)
      if (name === "Space" && session.engine === "firefox") name = " ";
      for (let i = 0; i < Number(times); i++) {
        if (name === "Shift+Tab" && session.engine !== "webkit") {
          await session.page.keyboard.down("Shift");
          await session.page.keyboard.press("Tab");
          await session.page.keyboard.up("Shift");
        } else {
          await session.page.keyboard.press(name);
        }
      }
      await session.settle();
    },
    // A key held down long enough to repeat (twice), then let go.
    key_held: async (name) => {
      if (name === "Space" && session.engine === "firefox") name = " ";
      await session.page.keyboard.down(name);
      await session.page.keyboard.down(name);
      await session.page.keyboard.down(name);
      await session.page.keyboard.up(name);
      await session.settle();
    },
    // The element that has the focus: "game" for the canvas or the reader's element over it.
    focused: () => session.page.evaluate(() => {
      const active = document.activeElement;
      if (!active) return "none";
      if (active.id === "canvas" || document.getElementById("reader").contains(active)) return "game";
      return active.id || active.tagName;
    }),
    // What a screen reader reads where the focus is: "role name[: value]" (a slider's value as a
    // number), from Chromium's accessibility tree, and from the DOM's roles, names and values in
    // the other engines.
    reader: async () => {
      if (session.engine === "chromium") {
        const cdp = await session.page.createCDPSession();
        const { nodes } = await cdp.send("Accessibility.getFullAXTree");
        await cdp.detach();
        const property = (node, name) => (node.properties || []).find((p) => p.name === name)?.value.value;
        // (The page itself counts as focused too: the deepest node that is.)
        const node = nodes.filter((n) => !n.ignored && property(n, "focused") &&
          n.role.value !== "RootWebArea").pop();
        if (!node) return "none";
        const value = node.value?.value;
        return `${node.role.value} ${node.name.value}${value !== undefined && value !== "" ? ": " + value : ""}`;
      }
      return session.page.evaluate(() => {
        const active = document.activeElement;
        const role = active.getAttribute("role") || active.tagName.toLowerCase();
        const name = active.getAttribute("aria-label") || active.textContent;
        const value = active.getAttribute("aria-valuenow");
        return `${role} ${name}${value ? ": " + value : ""}`;
      });
    },
    // Whether the page left a key (or keys held together, "Control+r") to the browser: "kept",
    // or "prevented" where something kept the browser from acting on it.
    key_default: async (combo) => {
      await session.page.evaluate(() => {
        window.lastKeyDefault = "none";
        // (Heard first, as the page stops the key before its target; judged once handled.)
        window.addEventListener("keydown", (event) => setTimeout(() => {
          window.lastKeyDefault = event.defaultPrevented ? "prevented" : "kept";
        }, 0), { once: true, capture: true });
      });
      const keys = combo.split("+");
      // (WebKit's X keys are pressed together by xdotool.)
      if (session.engine === "webkit") keys.splice(0, keys.length, combo);
      for (const key of keys.slice(0, -1)) await session.page.keyboard.down(key);
      await session.page.keyboard.press(keys[keys.length - 1]);
      for (const key of keys.slice(0, -1).reverse()) await session.page.keyboard.up(key);
      await session.settle();
      return session.page.evaluate(() => window.lastKeyDefault);
    },
    // The page's stops in the Tab order, by id, in order: elements that take the focus by Tab
    // and show.
    tab_stops: () => session.page.evaluate(() => [...document.querySelectorAll("a[href], button, [tabindex]")]
      .filter((element) => element.tabIndex >= 0 && !element.disabled && element.getClientRects().length)
      .map((element) => element.id || element.tagName).join(" ")),
  };
}
