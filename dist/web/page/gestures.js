// The rules by which fingers play as the mouse, as a plain state machine: it takes touches
// (and the moment a still press has lasted long enough) and gives the mouse events the game
// already takes, so the game and its rules are the same for both. No DOM here: touch.js feeds
// it the browser's touches and carries out what it gives.
//
// A finger is the left button, down where it lands, moving as it moves, released where it
// lifts: a tap is a left release, and a finger on a slider moves the knob exactly as the
// mouse does along the same path. A press held still for HOLD_MS, or a tap of two fingers, is
// a right release instead: it flags a cell, and once a game is over it starts the next. A
// gesture gives the game at most one release. Anything else (three fingers, a pinch, two
// fingers dragging) does nothing.
//
// What it gives, in order, each an object:
//   { mouse: "mousemove" | "mousedown" | "mouseup", x, y, button }  an event at page point x, y
//   { letGo: true }        the left button released off the game, where it takes nothing
//   { held: { x, y } }     a still press took, there: a sign for the player
//   { timer: "start" }     call holdElapsed() in HOLD_MS unless stopped first
//   { timer: "stop" }

export const HOLD_MS = 500;
// How far a finger may wander, in the page's pixels, and still count as held still.
export const STILL = 10;
export const LEFT = 0;
export const RIGHT = 2;

export function gestureRules() {
  let gesture = null;

  const mouse = (type, x, y, button) => ({ mouse: type, x, y, button });
  const pressAndRelease = (button, x, y) =>
    [mouse("mousemove", x, y, LEFT), mouse("mousedown", x, y, button), mouse("mouseup", x, y, button)];
  // A left button that must not act.
  function letGo() {
    if (gesture.letGo) return [];
    gesture.letGo = true;
    return [{ letGo: true }];
  }

  return {
    // Fingers that came down: [{ id, x, y }, ...].
    touchStart(changed) {
      let out;
      if (!gesture) {
        const [first] = changed;
        gesture = { fingers: 0, starts: new Map(), x: first.x, y: first.y, moved: false,
          letGo: false, done: false };
        out = [{ timer: "start" }, mouse("mousemove", first.x, first.y, LEFT),
          mouse("mousedown", first.x, first.y, LEFT)];
      } else {
        out = [{ timer: "stop" }, ...letGo()];
      }
      for (const touch of changed) {
        gesture.starts.set(touch.id, [touch.x, touch.y]);
        gesture.fingers++;
      }
      return out;
    },

    // Fingers that moved: [{ id, x, y }, ...].
    touchMove(changed) {
      if (!gesture) return [];
      const out = [];
      for (const touch of changed) {
        const start = gesture.starts.get(touch.id);
        if (!start) continue;
        if (Math.hypot(touch.x - start[0], touch.y - start[1]) > STILL && !gesture.moved) {
          gesture.moved = true;
          out.push({ timer: "stop" });
        }
        if (gesture.fingers > 1 || gesture.done) continue;
        gesture.x = touch.x;
        gesture.y = touch.y;
        out.push(mouse("mousemove", touch.x, touch.y, LEFT));
      }
      return out;
    },

    // Fingers lifted, `remaining` still down; `cancelled` when the browser took the touches.
    touchEnd(remaining, cancelled) {
      if (!gesture || remaining > 0) return [];
      const out = [{ timer: "stop" }];
      if (cancelled) {
        out.push(...letGo());
      } else if (gesture.fingers === 1 && !gesture.done) {
        out.push(mouse("mouseup", gesture.x, gesture.y, LEFT));
      } else if (gesture.fingers === 2 && !gesture.moved && !gesture.done) {
        const [x, y] = gesture.starts.values().next().value;
        out.push(...pressAndRelease(RIGHT, x, y));
      }
      gesture = null;
      return out;
    },

    // The hold timer ran out: one finger, still, is a right release where it is.
    holdElapsed() {
      if (!gesture || gesture.fingers !== 1 || gesture.moved || gesture.done) return [];
      const out = letGo();
      gesture.done = true;
      out.push({ held: { x: gesture.x, y: gesture.y } });
      out.push(...pressAndRelease(RIGHT, gesture.x, gesture.y));
      return out;
    },
  };
}
