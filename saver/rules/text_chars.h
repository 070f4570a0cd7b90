#pragma once

// The character classes the screen saver's text rules are written in.

// Blanks within a line: what a number may follow at the start of a text.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Blanks and line ends: what may surround a whole stored number.
inline bool IsBlankOrLineEnd(char c) {
    return IsBlank(c) || c == '\r' || c == '\n';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
