// The game on every screen: the 800 x 600 canvas shown at the largest 4:3 size that fits the
// window. The bar of help and controls goes below the game or beside it where that costs the
// game nothing, else it goes; where fingers play it stays, wherever the game keeps the most.
// Whole device pixels a game pixel are drawn sharp.

const GAME_WIDTH = 800;
const GAME_HEIGHT = 600;

// Where fingers play there is no Escape key, and the bar's Menu control must stay.
export const fingers = Boolean(window.matchMedia && window.matchMedia("(pointer: coarse)").matches);

function fit(game, bar) {
  const width = document.documentElement.clientWidth;
  const height = document.documentElement.clientHeight;
  const scale = (w, h) => Math.max(0, Math.min(w / GAME_WIDTH, h / GAME_HEIGHT));
  const largest = scale(width, height);
  // The game's scale with the bar in each place, measured with the bar there.
  const scaleWithBar = {
    below: () => scale(width, height - bar.offsetHeight),
    beside: () => scale(width - bar.offsetWidth, height),
  };
  const placeBar = (place) => {
    document.body.classList.remove("below", "beside", "bare");
    document.body.classList.add(place);
  };
  let place = "bare";
  let shown = largest;
  let best = 0;
  for (const candidate of ["below", "beside"]) {
    placeBar(candidate);
    const withBar = scaleWithBar[candidate]();
    if (withBar >= largest) {
      place = candidate;
      break;
    }
    if (fingers && withBar > best) {
      [place, shown, best] = [candidate, withBar, withBar];
    }
  }
  placeBar(place);
  game.style.width = GAME_WIDTH * shown + "px";
  game.style.height = GAME_HEIGHT * shown + "px";
  // Sharp where every game pixel is a whole number of the screen's pixels.
  const devicePixels = shown * (window.devicePixelRatio || 1);
  game.classList.toggle("sharp",
    devicePixels >= 1 && Math.abs(devicePixels - Math.round(devicePixels)) < 1e-3);
}

// Fits now, with the bar as it will be, its controls shown; and again whenever the window's
// size changes. An observer hears of a size once it is laid out; WebKit has been seen to leave
// a page loading while its window grew at the size it started with.
export function keepFitted(game, bar) {
  const refit = () => fit(game, bar);
  refit();
  if (window.ResizeObserver) new ResizeObserver(refit).observe(document.documentElement);
  else window.addEventListener("resize", refit);
}
