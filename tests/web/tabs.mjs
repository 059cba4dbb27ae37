// Other tabs and other browsers for browser.mjs: the licence's tab, Chromium's installability,
// and the page in a browser that loses the network, lacks WebAssembly or runs no JavaScript.
//
//   licence                        clicks the bar's Licence link: "tab FILE" where it opened
//                                  in a tab of its own (closed again), "here FILE" in place of
//                                  the game
//   installable                    "installable" when Chromium would offer to install the page,
//                                  else why not
//   first_visit_offline            the page's words on a first visit that lost the network
//                                  as soon as the page itself had arrived
//   visit_without_webassembly | visit_without_javascript    the page's words there (without
//                                  JavaScript, and whether its note for files that never
//                                  arrived would show too)

// session: { baseUrl, browser, page }.
export function tabCommands(session) {
  const BASE_URL = session.baseUrl;
  return {
    // Clicks the bar's Licence link: where it opened, "tab" (a tab of its own, which closes
    // again) or "here", with the name of the file shown.
    licence: async () => {
      const opened = new Promise((resolve) => session.browser.once("targetcreated", resolve));
      const before = session.page.url();
      await session.page.click("#bar a");
      const target = await Promise.race([opened,
        new Promise((resolve) => setTimeout(() => resolve(null), 5000))]);
      if (!target) return "here " + session.page.url().split("/").pop();
      const tab = await target.page();
      await tab.waitForFunction(() => document.readyState === "complete" && location.href !== "about:blank",
        { polling: 100, timeout: 5000 });
      const shown = tab.url().split("/").pop();
      await tab.close();
      await session.page.bringToFront();
      return (session.page.url() === before ? "tab " : "tab, and the game's page left ") + shown;
    },
    installable: async () => {
      const cdp = await session.page.createCDPSession();
      const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
      await cdp.detach();
      return installabilityErrors.map((error) => error.errorId).join(" ") || "installable";
    },
    first_visit_offline: async () => {
      const context = await session.browser.createBrowserContext();
      const tab = await context.newPage();
      await tab.setRequestInterception(true);
      let cut = null;
      tab.on("request", async (request) => {
        if (request.isNavigationRequest() || /\/page(\.\w+\.css|\/[\w.]+\.js)$/.test(request.url())) {
          return request.continue();
        }
        // (The game's script is asked for with the page: held until the page's modules run.)
        cut ??= tab.waitForFunction(() => window.dunmarrowPageRuns, { polling: 20 })
          .then(() => tab.setOfflineMode(true));
        await cut;
        try {
          await request.abort("internetdisconnected");
        } catch (gone) { /* (Firefox may have let go of a request held that long) */ }
      });
      try {
        await tab.goto(BASE_URL);
        await tab.waitForFunction(() => document.body.dataset.exitStatus !== undefined,
          { polling: 100, timeout: 10000 });
        return await tab.$eval("#problem", (element) => element.innerText.replace(/\s+/g, " ").trim());
      } finally {
        await context.close();
      }
    },
    // The page in a browser that offers no WebAssembly (Chromium's is taken away before the
    // page runs): the text it shows.
    visit_without_webassembly: async () => {
      const other = await session.browser.newPage();
      await other.evaluateOnNewDocument(() => { delete window.WebAssembly; });
      await other.goto(BASE_URL);
      const text = await other.$eval("#problem", (element) => element.hidden ? "" : element.innerText.replace(/\s+/g, " "));
      await other.close();
      return text;
    },
    visit_without_javascript: async () => {
      const other = await session.browser.newPage();
      await other.setJavaScriptEnabled(false);
      await other.goto(BASE_URL);
      // The notes the page shows, and whether its note for files that never arrived would show.
      const text = await other.$eval("#loading", (element) => element.innerText.replace(/\s+/g, " ").trim());
      const otherNote = await other.$eval("#no-page", (note) => getComputedStyle(note).display);
      await other.close();
      return `${text} | the other note: ${otherNote === "none" ? "never" : "in time"}`;
    },
  };
}
