#pragma once

// Ends the program with the given exit status, at once. On the desktop that is exit(). In the
// browser it also ends what the browser's SDL still has pending, which would otherwise keep
// the end from the page; and a return from main after the game has waited for input reaches
// nobody there, so main ends through here too.
[[noreturn]] void endProgram(int status);
