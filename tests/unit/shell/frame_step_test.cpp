#include "shell/frame_step.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the frame step did, each with the clock's reading at that moment.
std::vector<std::string> steps;

void Record(const char* what) {
    steps.push_back(what + std::string(" at ") + std::to_string(static_cast<int>(frameCounter)));
}

}  // namespace

// Stands in for the GL frame drawing.
void DrawFrame() {
    Record("draw");
}

namespace {

TEST(FrameStep, DrawsThenPresentsThenCountsAndOutOfSightOnlyPresentsAndCounts) {
    for (const bool visible : {true, false}) {
        steps.clear();
        frameCounter = 0.0f;
        StepFrame(visible, [] { Record("present"); });
        const std::vector<std::string> expected =
            visible ? std::vector<std::string>{"draw at 0", "present at 0"}
                    : std::vector<std::string>{"present at 0"};
        EXPECT_EQ(steps, expected);
        EXPECT_EQ(frameCounter, 1.0f);
    }
}

}  // namespace
