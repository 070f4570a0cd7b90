#include "forms/runtime.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "forms/form.h"

namespace forms {
namespace {

std::vector<Form*>& LoadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

bool ended = false;

}  // namespace

int Runtime::Run() {
    if (ended || LoadedForms().empty()) {
        return 0;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

void Runtime::End() {
    if (ended) {
        return;
    }
    ended = true;
    const std::vector<Form*> forms = std::exchange(LoadedForms(), {});
    for (Form* form : forms) {
        form->Discard();
    }
    PostQuitMessage(0);
}

bool Runtime::Ended() {
    return ended;
}

int Runtime::LoadedFormCount() {
    return static_cast<int>(LoadedForms().size());
}

void Runtime::FormLoaded(Form& form) {
    LoadedForms().push_back(&form);
}

void Runtime::FormUnloaded(Form& form) {
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end());
    if (forms.empty() && !ended) {
        PostQuitMessage(0);
    }
}

}  // namespace forms
