// The command line: the query string, as the game takes its options. Each &-separated word is
// one argument, exactly as typed. Words of the form name=value are the web's own parameters
// (a portal's or a social network's), and an empty word is only a separator: neither reaches
// the game. A word with a NUL in it could not reach the game whole, so the game is given what
// it will refuse.

// search: the address's query string, "?" and all, or "".
export function commandLine(search) {
  const args = [];
  for (const word of search.replace(/^\?/, "").split("&")) {
    if (word === "" || /^[^-][^=]*=/.test(word)) continue;
    let text = word;
    try { text = decodeURIComponent(word); } catch (e) { /* kept as typed */ }
    args.push(text.replace(/\0/g, "\uFFFD"));
  }
  return args;
}
