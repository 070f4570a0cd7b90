#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// What the fuzz targets share: their inputs are the outside bytes as they arrive, cut into the
// pieces the platform hands over one by one (arguments, profile values, replies).

// The pieces of the input between separators; an input without any is one piece.
inline std::vector<std::string> SplitInput(const std::uint8_t* data, std::size_t size,
                                           char separator) {
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (static_cast<char>(data[i]) == separator) {
            pieces.emplace_back();
        } else {
            pieces.back() += static_cast<char>(data[i]);
        }
    }
    return pieces;
}

// A rule of the reader that the input broke: a finding, kept by libFuzzer as a crash.
inline void Require(bool holds, const char* rule) {
    if (!holds) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}
