#pragma once

// How a slider's value maps to its knob, and the pointer's column back to a value. The knob
// stands at SLIDER_LEFT + offset; the pointer reads a value from SLIDER_LEFT onwards.
constexpr int SLIDER_LEFT = 320;
constexpr double PIXELS_PER_ROW = 4.5;
constexpr double PIXELS_PER_COL = 3.5;
// A percentage outside 0 to 100 puts the knob in the middle of the screen.
constexpr int ODD_PERCENT_KNOB_OFFSET = 75;

inline int minePercentKnobOffset(int percent) {
    return percent >= 0 && percent <= 100 ? percent : ODD_PERCENT_KNOB_OFFSET;
}
inline int rowsKnobOffset(int rows) {
    return static_cast<int>(rows * PIXELS_PER_ROW);
}
inline int colsKnobOffset(int cols) {
    return static_cast<int>(cols * PIXELS_PER_COL);
}

inline int minePercentAt(int x) {
    return x - SLIDER_LEFT;
}
inline int rowsAt(int x) {
    return static_cast<int>((x - SLIDER_LEFT) / PIXELS_PER_ROW);
}
inline int colsAt(int x) {
    return static_cast<int>((x - SLIDER_LEFT) / PIXELS_PER_COL);
}
