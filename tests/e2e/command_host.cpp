// A small form holding two Command buttons, for tests that drive them with the real pointer:
// the first as the dialog's "設定", the second as its disabled "...". Each Click of the first
// appends "click" to the log file named by the first argument. With "--churn N" the form then
// changes the first button's face N times in chunks, noting every 10000th change in the log, so
// that a test can watch the process's memory from outside while the faces are painted.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "controls/command.h"
#include "forms/form.h"
#include "forms/runtime.h"
#include "forms/timer.h"

namespace {

constexpr int kChunk = 1000;
constexpr int kReportEvery = 10000;

void AppendLine(const std::string& path, const std::string& line) {
    if (FILE* log = std::fopen(path.c_str(), "a")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

class CommandHostForm : public forms::Form {
  public:
    CommandHostForm(std::string log, int churn)
        : forms::Form({"Vorlenta command host", forms::BorderStyle::None, RGB(236, 233, 216), 1,
                       SIZE{200, 70}}),
          log_(std::move(log)),
          churnLeft_(churn) {}

    command::Command Cmd_Set{*this, *this, RECT{20, 20, 30, 30}};
    command::Command Cmd_File{*this, *this, RECT{120, 22, 130, 32}};

  private:
    void Form_Load() override {
        Move(0, 0, 200 * 15, 70 * 15);
        Cmd_Set.Restore(command::StoredCommand("設定", 1155, 375));
        Cmd_File.Restore(command::StoredCommand("...", 615, 315));
        Cmd_Set.Initialize();
        Cmd_File.Initialize();
        Cmd_File.Enabled(false);
        Cmd_Set.Click = [this] { AppendLine(log_, "click"); };
        churn_.SetEnabled(churnLeft_ > 0);
    }

    // Hover, press, release and losing the focus: four faces a round.
    void ChurnChunk() {
        HWND button = Cmd_Set.WindowHandle();
        for (int done = 0; done < kChunk && churnLeft_ > 0; done += 4) {
            SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            SetFocus(WindowHandle());
            churnLeft_ -= 4;
            churned_ += 4;
            if (churned_ % kReportEvery == 0) {
                AppendLine(log_, "churned " + std::to_string(churned_));
            }
        }
        if (churnLeft_ <= 0) {
            churn_.SetEnabled(false);
            AppendLine(log_, "churn done");
        }
    }

    std::string log_;
    int churnLeft_;
    int churned_ = 0;
    forms::Timer churn_{*this, 50, [this] { ChurnChunk(); }};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: command_host LOG [--churn N]\n");
        return 2;
    }
    const int churn = argc >= 4 && std::strcmp(argv[2], "--churn") == 0 ? std::atoi(argv[3]) : 0;
    CommandHostForm form(argv[1], churn);
    form.Show();
    return forms::Runtime::Run();
}
