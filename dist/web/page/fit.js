// The game on every screen. With a mouse, the whole 800 x 600 canvas is shown at the largest
// 4:3 size that fits the window. Where fingers play, the page shows only the part of the game
// that matters, as the game tells it (seam.js): the settings panel while the menu shows, the
// board while it is hidden (with the win picture when it shows), at the largest size the
// screen allows; a pinch zooms in further where cells are still small, and two fingers pan.
// The bar of help and controls goes below the game or beside it where that costs the game
// nothing; else, with a mouse, a slim bar of its controls alone takes the few pixels it needs
// (in full screen none), and where fingers play the whole bar stays, wherever the game keeps
// the most.
// Whole device pixels a game pixel are drawn sharp.

const GAME_WIDTH = 800;
const GAME_HEIGHT = 600;
const WHOLE_SCREEN = { x: 0, y: 0, w: GAME_WIDTH, h: GAME_HEIGHT };
// Around the part shown, so that its edge cells are not at the screen's edge, in game pixels.
const MARGIN = 6;
const CELL = 30;
// A pinch zooms until a cell is this large, in the page's pixels.
const LARGEST_CELL = 60;

// Where fingers play there is no Escape key, and the bar's Menu control must stay.
export const fingers = Boolean(window.matchMedia && window.matchMedia("(pointer: coarse)").matches);

// overlay: laid over the canvas wherever and however large it is shown.
export function keepFitted(game, canvas, bar, overlay) {
  let content = WHOLE_SCREEN;  // what the game box shows, in game pixels
  let scale = 1;                // page pixels a game pixel, at no zoom
  let zoom = 1;
  let centre = null;            // the middle of what is seen, zoomed, in game pixels

  function placeCanvas() {
    const s = scale * zoom;
    const seenW = content.w / zoom;
    const seenH = content.h / zoom;
    const middle = centre || { x: content.x + content.w / 2, y: content.y + content.h / 2 };
    // What is seen stays within the content.
    const clamp = (v, low, high) => Math.min(Math.max(v, low), high);
    const left = clamp(middle.x - seenW / 2, content.x, content.x + content.w - seenW);
    const top = clamp(middle.y - seenH / 2, content.y, content.y + content.h - seenH);
    centre = { x: left + seenW / 2, y: top + seenH / 2 };
    const place = { left: -left * s + "px", top: -top * s + "px",
      width: GAME_WIDTH * s + "px", height: GAME_HEIGHT * s + "px" };
    Object.assign(canvas.style, place);
    Object.assign(overlay.style, place);
    // Sharp where every game pixel is a whole number of the screen's pixels.
    const devicePixels = s * (window.devicePixelRatio || 1);
    game.classList.toggle("sharp",
      devicePixels >= 1 && Math.abs(devicePixels - Math.round(devicePixels)) < 1e-3);
  }

  function fit() {
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    const scaleIn = (w, h) => Math.max(0, Math.min(w / content.w, h / content.h));
    const largest = scaleIn(width, height);
    // The game's scale with the bar in each place, measured with the bar there.
    const scaleWithBar = {
      below: () => scaleIn(width, height - bar.offsetHeight),
      beside: () => scaleIn(width - bar.offsetWidth, height),
    };
    const placeBar = (place, slim = false) => {
      document.body.classList.remove("below", "beside", "bare");
      document.body.classList.add(place);
      document.body.classList.toggle("slim", slim);
    };
    let place = "bare";
    let shown = largest;
    let slim = false;
    let best = 0;
    for (const candidate of ["below", "beside"]) {
      placeBar(candidate);
      const withBar = scaleWithBar[candidate]();
      if (withBar >= largest) {
        [place, shown] = [candidate, withBar];
        break;
      }
      if (fingers && withBar > best) {
        [place, shown, best] = [candidate, withBar, withBar];
      }
    }
    // With a mouse, where the bar would cost the game something, a slim bar of the controls
    // alone takes the few pixels it needs, so that the licence and full screen stay in reach;
    // only in full screen, which the player chose, does the game take it all.
    const fullScreen = document.fullscreenElement || document.webkitFullscreenElement;
    if (place === "bare" && !fingers && !fullScreen) {
      best = 0;
      for (const candidate of ["below", "beside"]) {
        placeBar(candidate, true);
        const withBar = scaleWithBar[candidate]();
        if (withBar > best) [place, shown, best, slim] = [candidate, withBar, withBar, true];
      }
    }
    placeBar(place, slim);
    scale = shown;
    game.style.width = content.w * scale + "px";
    game.style.height = content.h * scale + "px";
    placeCanvas();
  }

  // Fits now, with the bar as it will be, its controls shown; and again whenever the window's
  // size changes. An observer hears of a size once it is laid out; WebKit has been seen to
  // leave a page loading while its window grew at the size it started with.
  fit();
  if (window.ResizeObserver) new ResizeObserver(fit).observe(document.documentElement);
  else window.addEventListener("resize", fit);

  return {
    // What the game shows now (seam.js); where fingers play, the view moves to it at once.
    show(part) {
      if (!fingers) return;
      const next = {
        x: Math.max(0, part.left - MARGIN), y: Math.max(0, part.top - MARGIN),
        w: 0, h: 0,
      };
      next.w = Math.min(GAME_WIDTH, part.left + part.width + MARGIN) - next.x;
      next.h = Math.min(GAME_HEIGHT, part.top + part.height + MARGIN) - next.y;
      if (next.w <= 0 || next.h <= 0) Object.assign(next, WHOLE_SCREEN);
      if (["x", "y", "w", "h"].every((k) => next[k] === content[k])) return;
      content = next;
      zoom = 1;
      centre = null;
      fit();
    },
    // Two fingers: a pinch by `factor` about a page point, and a drag by page pixels.
    pinch(factor, pageX, pageY) {
      const largestZoom = Math.max(1, LARGEST_CELL / (CELL * scale));
      const next = Math.min(Math.max(zoom * factor, 1), largestZoom);
      if (next === zoom) return;
      // The game pixel under the fingers stays under them.
      const rect = canvas.getBoundingClientRect();
      const s = scale * zoom;
      const at = { x: (pageX - rect.left) / s, y: (pageY - rect.top) / s };
      centre = { x: at.x + (centre.x - at.x) * zoom / next, y: at.y + (centre.y - at.y) * zoom / next };
      zoom = next;
      placeCanvas();
    },
    pan(dx, dy) {
      const s = scale * zoom;
      centre = { x: centre.x - dx / s, y: centre.y - dy / s };
      placeCanvas();
    },
  };
}
