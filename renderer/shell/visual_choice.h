#pragma once

#include <optional>
#include <string>
#include <vector>

// The visual classes of the X protocol, by their own names; the X code translates.
enum class VisualClass {
    kStaticGray,
    kGrayScale,
    kStaticColor,
    kPseudoColor,
    kTrueColor,
    kDirectColor
};

// What -visual asked for, by the names XScreenSaver's display modes share: "default", "best",
// "gl", a class ("truecolor", "mono", "gray", "color" ...) or a visual id.
struct VisualRequest {
    enum class Kind { Default, Best, Class, Id };
    Kind kind = Kind::Default;
    VisualClass visualClass = VisualClass::kTrueColor;
    unsigned long id = 0;
    std::string name;  // as the user wrote it
};

std::optional<VisualRequest> ParseVisualName(const std::string& name);

// A visual of the screen as the choice sees it: whether OpenGL can draw the scene into it
// (RGBA, double-buffered, with a depth buffer) is found out by the X code.
struct VisualCandidate {
    unsigned long id = 0;
    VisualClass visualClass = VisualClass::kTrueColor;
    int depth = 0;
    bool drawable = false;
};

// The visual for the program's own window: the deepest drawable one that fits the request.
// None for "default" (the GL library's own choice is wanted) and where none fits.
std::optional<unsigned long> PickVisual(const VisualRequest& request,
                                        const std::vector<VisualCandidate>& candidates);
