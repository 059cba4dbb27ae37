#pragma once

// The game's one failure path: shows "<message>, ErrorNr = <number>" in a box titled
// "Error!" and ends the process with status 1 once the box is dismissed.
[[noreturn]] void fatalError(const char* message, int number);
