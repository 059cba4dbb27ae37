// The touch gesture rules, fed touches and the hold timer as the browser and the page feed
// them, checked by what they give: the mouse events for the game, the signs for the player and
// the view's pinch and pan.
import assert from "node:assert/strict";
import { test } from "node:test";
import { STILL, gestureRules } from "../../../dist/web/page/gestures.js";

// Steps: ["down", id, x, y] a finger lands; ["move", id, x, y]; ["up", remaining] fingers
// lift with that many still down; ["cancel"]; ["hold"] the hold timer runs out; ["turn"] the
// screen turns.
// What is given, timers left out: "move x,y L", "down x,y R", "up x,y L", "letGo", "held x,y",
// "ring x,y" (a ring grows there), "ring gone", "pinch factor @x,y", "pan dx,dy".
function play(steps, flagMode = false) {
  const rules = gestureRules(() => flagMode);
  const given = [];
  for (const [kind, ...args] of steps) {
    const actions = {
      down: () => rules.touchStart([{ id: args[0], x: args[1], y: args[2] }]),
      // Two fingers landing together: [id, x, y, id, x, y].
      downTogether: () => rules.touchStart([{ id: args[0], x: args[1], y: args[2] },
        { id: args[3], x: args[4], y: args[5] }]),
      move: () => rules.touchMove([{ id: args[0], x: args[1], y: args[2] }]),
      up: () => rules.touchEnd(args[0], false),
      cancel: () => rules.touchEnd(0, true),
      hold: () => rules.holdElapsed(),
      turn: () => rules.turned(),
    }[kind]();
    for (const a of actions) {
      if (a.mouse) given.push(`${a.mouse.replace("mouse", "")} ${a.x},${a.y} ${a.button ? "R" : "L"}`);
      else if (a.letGo) given.push("letGo");
      else if (a.held) given.push(`held ${a.held.x},${a.held.y}`);
      else if (a.ring) given.push(a.ring === "grow" ? `ring ${a.x},${a.y}` : "ring gone");
      else if (a.pinch) given.push(`pinch ${a.pinch} @${a.x},${a.y}`);
      else if (a.pan) given.push(`pan ${a.pan.dx},${a.pan.dy}`);
    }
  }
  return given;
}

const PRESS = ["ring 100,50", "move 100,50 L", "down 100,50 L"];
const RELEASE = (button, x, y) => [`move ${x},${y} L`, `down ${x},${y} ${button}`, `up ${x},${y} ${button}`];
const TWO_FINGERS = [["down", 1, 100, 50], ["down", 2, 140, 50]];

const GESTURES = [
  ["a tap is a left release where the finger lifts",
    [["down", 1, 100, 50], ["up", 0]], [...PRESS, "ring gone", "up 100,50 L"]],
  ["a still press that lasts is one right release, its ring shown until the finger lifts",
    [["down", 1, 100, 50], ["hold"], ["up", 0]],
    [...PRESS, "letGo", "held 100,50", ...RELEASE("R", 100, 50), "ring gone"]],
  ["a hold that took, then a second finger before the first lifts, gives nothing more",
    [["down", 1, 100, 50], ["hold"], ["down", 2, 140, 50], ["up", 1], ["up", 0]],
    [...PRESS, "letGo", "held 100,50", ...RELEASE("R", 100, 50), "ring gone"]],
  ["a wobble within reach of a still press still holds",
    [["down", 1, 100, 50], ["move", 1, 100 + STILL, 50], ["hold"], ["up", 0]],
    [...PRESS, `move ${100 + STILL},50 L`, "letGo", `held ${100 + STILL},50`,
      ...RELEASE("R", 100 + STILL, 50), "ring gone"]],
  ["a finger that moved on is a drag, its ring gone, and lifting it a left release there",
    [["down", 1, 100, 50], ["move", 1, 130, 50], ["hold"], ["up", 0]],
    [...PRESS, "ring gone", "move 130,50 L", "up 130,50 L"]],
  ["a tap of two fingers is a right release under the first",
    [...TWO_FINGERS, ["up", 1], ["up", 0]],
    [...PRESS, "ring gone", "letGo", ...RELEASE("R", 100, 50)]],
  ["two fingers that spread pinch the view about their middle, and never flag",
    [...TWO_FINGERS, ["move", 2, 180, 50], ["move", 1, 80, 50], ["up", 0]],
    [...PRESS, "ring gone", "letGo", "pinch 2 @140,50", "pan 20,0", "pinch 1.25 @130,50",
      "pan -10,0"]],
  ["two fingers that drag together pan the view, and never flag",
    [...TWO_FINGERS, ["move", 1, 100, 80], ["move", 2, 140, 80], ["up", 0]],
    [...PRESS, "ring gone", "letGo", "pinch 1.25 @120,65", "pan 0,15", "pinch 0.8 @120,80",
      "pan 0,15"]],
  ["two fingers that land together and lift are a right release, the left button let go",
    [["downTogether", 1, 100, 50, 2, 140, 50], ["up", 0]],
    [...PRESS, "ring gone", "letGo", ...RELEASE("R", 100, 50)]],
  ["two fingers held still flag once",
    [...TWO_FINGERS, ["hold"], ["up", 0]],
    [...PRESS, "ring gone", "letGo", ...RELEASE("R", 100, 50)]],
  ["three fingers do nothing",
    [...TWO_FINGERS, ["down", 3, 180, 50], ["up", 0]], [...PRESS, "ring gone", "letGo"]],
  ["touches the browser took back let go of the button",
    [["down", 1, 100, 50], ["cancel"]], [...PRESS, "ring gone", "letGo"]],
  ["a timer that runs out after the finger lifted does nothing",
    [["down", 1, 100, 50], ["up", 0], ["hold"]], [...PRESS, "ring gone", "up 100,50 L"]],
  ["a turn under a held finger ends the hold, its ring gone, and nothing flags after it",
    [["down", 1, 100, 50], ["turn"], ["hold"], ["move", 1, 300, 50], ["up", 0]],
    [...PRESS, "ring gone", "letGo"]],
  ["a turn after a hold took takes its ring away and gives nothing more",
    [["down", 1, 100, 50], ["hold"], ["turn"], ["up", 0]],
    [...PRESS, "letGo", "held 100,50", ...RELEASE("R", 100, 50), "ring gone"]],
  ["moves and lifts with no finger down do nothing",
    [["move", 1, 10, 10], ["up", 0]], []],
];

const FLAG_MODE = [
  ["in flag mode a tap is a right release, and no button is held meanwhile",
    [["down", 1, 100, 50], ["up", 0]],
    ["ring 100,50", "move 100,50 L", "ring gone", ...RELEASE("R", 100, 50)]],
  ["in flag mode a hold is one left release",
    [["down", 1, 100, 50], ["hold"], ["up", 0]],
    ["ring 100,50", "move 100,50 L", "held 100,50", ...RELEASE("L", 100, 50), "ring gone"]],
  ["in flag mode a finger that moves on gives nothing",
    [["down", 1, 100, 50], ["move", 1, 130, 50], ["up", 0]],
    ["ring 100,50", "move 100,50 L", "ring gone"]],
  ["in flag mode a tap of two fingers still flags",
    [...TWO_FINGERS, ["up", 1], ["up", 0]],
    ["ring 100,50", "move 100,50 L", "ring gone", ...RELEASE("R", 100, 50)]],
];

for (const [name, steps, given] of GESTURES) {
  test(name, () => assert.deepEqual(play(steps), given));
}
for (const [name, steps, given] of FLAG_MODE) {
  test(name, () => assert.deepEqual(play(steps, true), given));
}
