#pragma once

// When the game opens its sounds. The desktop opens them with everything else, before the first
// picture. The browser, where opening audio and decoding the sounds hold the first picture back
// by a tenth of a second or more, opens them once the first picture is on the screen, and
// before the game handles any input, so every sound a player causes is heard.
enum class SoundStart { BEFORE_FIRST_PICTURE, AFTER_FIRST_PICTURE };
SoundStart soundStart();

// Returns once what the game has drawn is on the screen and its sounds can be opened: at once
// on the desktop, where the flip shows it; in a page, which shows nothing until the game hands
// it control, after the browser's next paint and once the page has the sounds in place.
void waitUntilShown();
