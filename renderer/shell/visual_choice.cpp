#include "shell/visual_choice.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

struct NamedClass {
    const char* name;
    VisualClass visualClass;
};

// Several spellings per class, as display modes take them.
constexpr NamedClass kClassNames[] = {
    {"mono", VisualClass::kStaticGray},         {"monochrome", VisualClass::kStaticGray},
    {"staticgray", VisualClass::kStaticGray},   {"staticgrey", VisualClass::kStaticGray},
    {"gray", VisualClass::kGrayScale},          {"grey", VisualClass::kGrayScale},
    {"grayscale", VisualClass::kGrayScale},     {"greyscale", VisualClass::kGrayScale},
    {"staticcolor", VisualClass::kStaticColor}, {"staticcolour", VisualClass::kStaticColor},
    {"pseudocolor", VisualClass::kPseudoColor}, {"pseudocolour", VisualClass::kPseudoColor},
    {"truecolor", VisualClass::kTrueColor},     {"truecolour", VisualClass::kTrueColor},
    {"directcolor", VisualClass::kDirectColor}, {"directcolour", VisualClass::kDirectColor},
};

std::string Lowered(const std::string& text) {
    std::string lowered = text;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

std::optional<unsigned long> ParseVisualId(const std::string& text) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) {
        return std::nullopt;
    }
    char* end = nullptr;
    const unsigned long id = std::strtoul(text.c_str(), &end, 0);
    return *end == '\0' && id != 0 ? std::optional<unsigned long>(id) : std::nullopt;
}

bool Fits(const VisualRequest& request, const VisualCandidate& candidate) {
    switch (request.kind) {
        case VisualRequest::Kind::Class:
            return candidate.visualClass == request.visualClass;
        case VisualRequest::Kind::Id:
            return candidate.id == request.id;
        default:
            return true;
    }
}

}  // namespace

std::optional<VisualRequest> ParseVisualName(const std::string& name) {
    VisualRequest request;
    request.name = name;
    const std::string lowered = Lowered(name);
    if (lowered == "default") {
        return request;
    }
    // "gl" and "color" ask for the best visual OpenGL can draw in, which is always a colour one.
    if (lowered == "best" || lowered == "gl" || lowered == "color" || lowered == "colour") {
        request.kind = VisualRequest::Kind::Best;
        return request;
    }
    for (const NamedClass& named : kClassNames) {
        if (lowered == named.name) {
            request.kind = VisualRequest::Kind::Class;
            request.visualClass = named.visualClass;
            return request;
        }
    }
    if (const auto id = ParseVisualId(lowered)) {
        request.kind = VisualRequest::Kind::Id;
        request.id = *id;
        return request;
    }
    return std::nullopt;
}

std::optional<unsigned long> PickVisual(const VisualRequest& request,
                                        const std::vector<VisualCandidate>& candidates) {
    if (request.kind == VisualRequest::Kind::Default) {
        return std::nullopt;
    }
    const VisualCandidate* chosen = nullptr;
    for (const VisualCandidate& candidate : candidates) {
        if (candidate.drawable && Fits(request, candidate) &&
            (chosen == nullptr || candidate.depth > chosen->depth)) {
            chosen = &candidate;
        }
    }
    return chosen != nullptr ? std::optional<unsigned long>(chosen->id) : std::nullopt;
}
