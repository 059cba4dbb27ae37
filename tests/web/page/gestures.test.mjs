// The touch gesture rules, fed touches and the hold timer as the browser and the page feed
// them, checked by the mouse events they give the game.
import assert from "node:assert/strict";
import { test } from "node:test";
import { STILL, gestureRules } from "../../../dist/web/page/gestures.js";

// Steps: ["down", id, x, y] a finger lands; ["move", id, x, y]; ["up", remaining] fingers
// lift with that many still down; ["cancel"]; ["hold"] the hold timer runs out.
// The events given, timers left out: "move x,y L", "down x,y R", "up x,y L", "letGo", "held x,y".
function play(steps) {
  const rules = gestureRules();
  const given = [];
  for (const [kind, ...args] of steps) {
    const actions = {
      down: () => rules.touchStart([{ id: args[0], x: args[1], y: args[2] }]),
      move: () => rules.touchMove([{ id: args[0], x: args[1], y: args[2] }]),
      up: () => rules.touchEnd(args[0], false),
      cancel: () => rules.touchEnd(0, true),
      hold: () => rules.holdElapsed(),
    }[kind]();
    for (const action of actions) {
      if (action.mouse) {
        given.push(`${action.mouse.replace("mouse", "")} ${action.x},${action.y} ${action.button ? "R" : "L"}`);
      } else if (action.letGo) {
        given.push("letGo");
      } else if (action.held) {
        given.push(`held ${action.held.x},${action.held.y}`);
      }
    }
  }
  return given;
}

const PRESS = ["move 100,50 L", "down 100,50 L"];
const RIGHT_RELEASE = (x, y) => [`move ${x},${y} L`, `down ${x},${y} R`, `up ${x},${y} R`];

const GESTURES = [
  ["a tap is a left release where the finger lifts",
    [["down", 1, 100, 50], ["up", 0]], [...PRESS, "up 100,50 L"]],
  ["a still press that lasts is one right release, with a sign",
    [["down", 1, 100, 50], ["hold"], ["up", 0]],
    [...PRESS, "letGo", "held 100,50", ...RIGHT_RELEASE(100, 50)]],
  ["a hold that took, then a second finger before the first lifts, gives nothing more",
    [["down", 1, 100, 50], ["hold"], ["down", 2, 140, 50], ["up", 1], ["up", 0]],
    [...PRESS, "letGo", "held 100,50", ...RIGHT_RELEASE(100, 50)]],
  ["a wobble within reach of a still press still holds",
    [["down", 1, 100, 50], ["move", 1, 100 + STILL, 50], ["hold"], ["up", 0]],
    [...PRESS, `move ${100 + STILL},50 L`, "letGo", `held ${100 + STILL},50`,
      ...RIGHT_RELEASE(100 + STILL, 50)]],
  ["a finger that moved on is a drag, and lifting it is a left release there",
    [["down", 1, 100, 50], ["move", 1, 130, 50], ["hold"], ["up", 0]],
    [...PRESS, "move 130,50 L", "up 130,50 L"]],
  ["a tap of two fingers is a right release under the first",
    [["down", 1, 100, 50], ["down", 2, 140, 50], ["up", 1], ["up", 0]],
    [...PRESS, "letGo", ...RIGHT_RELEASE(100, 50)]],
  ["two fingers that drag apart (a pinch) do nothing",
    [["down", 1, 100, 50], ["down", 2, 140, 50], ["move", 2, 180, 50], ["up", 0]],
    [...PRESS, "letGo"]],
  ["two fingers held still do not flag twice",
    [["down", 1, 100, 50], ["down", 2, 140, 50], ["hold"], ["up", 0]],
    [...PRESS, "letGo", ...RIGHT_RELEASE(100, 50)]],
  ["three fingers do nothing",
    [["down", 1, 100, 50], ["down", 2, 140, 50], ["down", 3, 180, 50], ["up", 0]],
    [...PRESS, "letGo"]],
  ["touches the browser took back let go of the button",
    [["down", 1, 100, 50], ["cancel"]], [...PRESS, "letGo"]],
  ["a timer that runs out after the finger lifted does nothing",
    [["down", 1, 100, 50], ["up", 0], ["hold"]], [...PRESS, "up 100,50 L"]],
  ["moves and lifts with no finger down do nothing",
    [["move", 1, 10, 10], ["up", 0]], []],
];

for (const [name, steps, given] of GESTURES) {
  test(name, () => assert.deepEqual(play(steps), given));
}
