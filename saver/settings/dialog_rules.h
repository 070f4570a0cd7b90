#pragma once

#include <array>
#include <string>
#include <vector>

// The settings dialog's arithmetic and option rules, apart from its windows.

// Where the dialog's window goes, in twips: centred across the screen, a third of the free
// height from the top (whole twips, the remainder dropped).
struct TwipPosition {
    long left, top;
};
TwipPosition DialogPosition(long screenWidth, long screenHeight, long windowWidth,
                            long windowHeight);

// The grey of background row Y on a client area HEIGHT pixels high: |sin(y / k)| x 220 with
// k = height / 3.142, to the nearest whole number, halves to even. The row's colour is
// RGB(c, c, c + 30).
int GradientShade(int y, int height);

// Where the panel strip is copied to cover a box: column by column from the top left, each
// column going one strip past the bottom edge, the last column starting past the right edge.
struct TileOrigin {
    int x, y;
    bool operator==(const TileOrigin& other) const { return x == other.x && y == other.y; }
};
std::vector<TileOrigin> TileOrigins(int boxWidth, int boxHeight, int stripWidth, int stripHeight);

// What a music kind looks like in the dialog: the marked option (none for a kind outside 0 to
// 2), and which of the repeat box and the file button can be used.
struct KindLook {
    std::array<bool, 3> marked;
    bool repeatBoxEnabled;
    bool fileButtonEnabled;
};
KindLook LookOfKind(int kind);
