// The rules by which fingers play as the mouse, as a plain state machine: it takes touches
// (and the moment a still press has lasted long enough) and gives the mouse events the game
// already takes, so the game and its rules are the same for both. No DOM here: touch.js feeds
// it the browser's touches and carries out what it gives.
//
// A finger is the left button, down where it lands, moving as it moves, released where it
// lifts: a tap is a left release, and a finger on a slider moves the knob exactly as the mouse
// does along the same path. A press held still for HOLD_MS, or a tap of two fingers, is a
// right release instead: it flags a cell, and once a game is over it starts the next. In flag
// mode, on the board, the two swap: a tap is a right release and a hold a left release (the
// menu always takes a tap as a press). A gesture gives the game at most one release. Two
// fingers that move pinch and pan the view instead; three fingers do nothing.
//
// What it gives, in order, each an object:
//   { mouse: "mousemove" | "mousedown" | "mouseup", x, y, button }  an event at page point x, y
//   { letGo: true }        the left button released off the game, where it takes nothing
//   { ring: "grow", x, y } a sign at the finger that grows until a hold takes
//   { ring: "gone" }       the hold can no longer take
//   { held: { x, y } }     a hold took, there (its ring stays until the fingers lift)
//   { pinch: factor, x, y } two fingers spread (factor > 1) or closed about page point x, y
//   { pan: { dx, dy } }    two fingers moved together by page pixels
//   { timer: "start" }     call holdElapsed() in HOLD_MS unless stopped first
//   { timer: "stop" }

export const HOLD_MS = 500;
// How far a finger may wander, in the page's pixels, and still count as held still.
export const STILL = 10;
export const LEFT = 0;
export const RIGHT = 2;

// tapFlags(): whether a tap flags now (flag mode is on and the board shows), asked as each
// gesture begins.
export function gestureRules(tapFlags = () => false) {
  let gesture = null;

  const mouse = (type, x, y, button) => ({ mouse: type, x, y, button });
  const pressAndRelease = (button, x, y) =>
    [mouse("mousemove", x, y, LEFT), mouse("mousedown", x, y, button), mouse("mouseup", x, y, button)];
  // A left button that must not act.
  function letGo() {
    if (gesture.letGo) return [];
    gesture.letGo = true;
    return gesture.flags ? [] : [{ letGo: true }];
  }
  // The hold can no longer take: the timer and the ring go.
  function noHold() {
    if (!gesture.holding) return [];
    gesture.holding = false;
    return [{ timer: "stop" }, { ring: "gone" }];
  }
  // Two fingers that moved: the change since their last places.
  function twoFingerMotion() {
    const [a, b] = [...gesture.now.values()];
    if (!a || !b) return [];
    const middle = { x: (a[0] + b[0]) / 2, y: (a[1] + b[1]) / 2 };
    const distance = Math.hypot(a[0] - b[0], a[1] - b[1]);
    // From where they landed, the first time they move.
    const [sa, sb] = [...gesture.starts.values()];
    const last = gesture.lastPair || { middle: { x: (sa[0] + sb[0]) / 2, y: (sa[1] + sb[1]) / 2 },
      distance: Math.hypot(sa[0] - sb[0], sa[1] - sb[1]) };
    gesture.lastPair = { middle, distance };
    const out = [];
    if (last.distance > 0 && distance !== last.distance) {
      out.push({ pinch: distance / last.distance, x: middle.x, y: middle.y });
    }
    if (middle.x !== last.middle.x || middle.y !== last.middle.y) {
      out.push({ pan: { dx: middle.x - last.middle.x, dy: middle.y - last.middle.y } });
    }
    return out;
  }

  return {
    // Fingers that came down: [{ id, x, y }, ...].
    touchStart(changed) {
      const out = [];
      if (!gesture) {
        const [first] = changed;
        gesture = { fingers: 0, starts: new Map(), now: new Map(), x: first.x, y: first.y,
          moved: false, letGo: false, done: false, holding: true, flags: tapFlags(),
          lastPair: null };
        out.push({ timer: "start" }, { ring: "grow", x: first.x, y: first.y },
          mouse("mousemove", first.x, first.y, LEFT));
        if (!gesture.flags) out.push(mouse("mousedown", first.x, first.y, LEFT));
      }
      for (const touch of changed) {
        gesture.starts.set(touch.id, [touch.x, touch.y]);
        gesture.now.set(touch.id, [touch.x, touch.y]);
        gesture.fingers++;
      }
      // More than one finger, however they came: no hold, and the left button let go.
      if (gesture.fingers > 1) out.push(...noHold(), ...letGo());
      return out;
    },

    // Fingers that moved: [{ id, x, y }, ...].
    touchMove(changed) {
      if (!gesture) return [];
      const out = [];
      for (const touch of changed) {
        const start = gesture.starts.get(touch.id);
        if (!start) continue;
        gesture.now.set(touch.id, [touch.x, touch.y]);
        if (Math.hypot(touch.x - start[0], touch.y - start[1]) > STILL && !gesture.moved) {
          gesture.moved = true;
          out.push(...noHold());
        }
        if (gesture.fingers > 1 || gesture.done || gesture.flags) continue;
        gesture.x = touch.x;
        gesture.y = touch.y;
        out.push(mouse("mousemove", touch.x, touch.y, LEFT));
      }
      if (gesture.fingers === 2 && gesture.moved) out.push(...twoFingerMotion());
      return out;
    },

    // Fingers lifted, `remaining` still down; `cancelled` when the browser took the touches.
    touchEnd(remaining, cancelled) {
      if (!gesture || remaining > 0) return [];
      const out = noHold();
      // The ring of a hold that took stays until the fingers lift.
      if (gesture.done) out.push({ ring: "gone" });
      if (cancelled) {
        out.push(...letGo());
      } else if (gesture.fingers === 1 && !gesture.done) {
        if (!gesture.flags) out.push(mouse("mouseup", gesture.x, gesture.y, LEFT));
        else if (!gesture.moved) out.push(...pressAndRelease(RIGHT, gesture.x, gesture.y));
      } else if (gesture.fingers === 2 && !gesture.moved && !gesture.done) {
        const [x, y] = gesture.starts.values().next().value;
        out.push(...pressAndRelease(RIGHT, x, y));
      }
      gesture = null;
      return out;
    },

    // The screen turned, or the window changed size, under a finger: the points it had are
    // other pixels of the game now, so the gesture ends giving nothing more, its ring gone.
    turned() {
      if (!gesture) return [];
      const out = noHold();
      if (gesture.done) out.push({ ring: "gone" });
      out.push(...letGo());
      gesture = null;
      return out;
    },

    // The hold timer ran out: one finger, still, is a right release where it is (in flag mode
    // on the board, a left release).
    holdElapsed() {
      if (!gesture || gesture.fingers !== 1 || gesture.moved || gesture.done) return [];
      const out = letGo();
      gesture.done = true;
      gesture.holding = false;
      out.push({ held: { x: gesture.x, y: gesture.y } });
      out.push(...pressAndRelease(gesture.flags ? LEFT : RIGHT, gesture.x, gesture.y));
      return out;
    },
  };
}
