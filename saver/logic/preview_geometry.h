#pragma once

#include <cstdint>

// Where the preview form goes inside the system's preview window. The form is placed in twips,
// held as 16-bit integers, and its picture in pixels.
struct PreviewGeometry {
    int16_t left = 0;            // twips
    int16_t top = 0;             // twips
    int16_t width = 0;           // twips
    int16_t height = 0;          // twips
    double pictureWidth = 0.0;   // pixels
    double pictureHeight = 0.0;  // pixels
};

// A side that does not fit in 16 bits of twips stays 0, as the conversion fails.
PreviewGeometry ComputePreviewGeometry(int pixelWidth, int pixelHeight, double twipsPerPixelX,
                                       double twipsPerPixelY);

// The preview form's window style once it becomes a child of the preview window. A window is
// either a pop-up or a child, never both, so the pop-up bit goes when the child bit comes.
uint32_t PreviewChildStyle(uint32_t style);
