#include "forms/process_start.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using forms::ProcessCalls;

namespace {

// Journals every call, naming the handles by what they are.
class FakeProcessCalls : public ProcessCalls {
  public:
    std::vector<std::string> journal;
    bool creates = true;
    bool resumes = true;

    std::optional<Created> CreateSuspended() override {
        journal.push_back("CreateSuspended");
        if (!creates) {
            return std::nullopt;
        }
        return Created{&process_, &thread_, 4242};
    }
    void AllowForeground(uint32_t processId) override {
        journal.push_back("AllowForeground " + std::to_string(processId));
    }
    bool Resume(Handle thread) override {
        journal.push_back("Resume " + NameOf(thread));
        return resumes;
    }
    void Terminate(Handle process) override { journal.push_back("Terminate " + NameOf(process)); }
    void Close(Handle handle) override { journal.push_back("Close " + NameOf(handle)); }

    Handle Process() { return &process_; }

  private:
    std::string NameOf(Handle handle) {
        return handle == &process_ ? "process" : handle == &thread_ ? "thread" : "unknown";
    }

    int process_ = 0;
    int thread_ = 0;
};

using Journal = std::vector<std::string>;

}  // namespace

TEST(StartWithForeground, AllowsTheForegroundBeforeTheProgramRuns) {
    FakeProcessCalls calls;
    EXPECT_EQ(forms::StartWithForeground(calls), calls.Process());
    EXPECT_EQ(calls.journal, (Journal{"CreateSuspended", "AllowForeground 4242", "Resume thread",
                                      "Close thread"}));
}

TEST(StartWithForeground, AProgramThatCannotBeResumedIsEndedAndBothHandlesClosed) {
    FakeProcessCalls calls;
    calls.resumes = false;
    EXPECT_EQ(forms::StartWithForeground(calls), nullptr);
    EXPECT_EQ(calls.journal, (Journal{"CreateSuspended", "AllowForeground 4242", "Resume thread",
                                      "Terminate process", "Close thread", "Close process"}));
}

TEST(StartWithForeground, AProgramThatCannotBeCreatedIsHandedNothing) {
    FakeProcessCalls calls;
    calls.creates = false;
    EXPECT_EQ(forms::StartWithForeground(calls), nullptr);
    EXPECT_EQ(calls.journal, Journal{"CreateSuspended"});
}
