#include "forms/runtime.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace forms {
namespace {

std::vector<LoadedForm*>& LoadedForms() {
    static std::vector<LoadedForm*> forms;
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
    const std::vector<LoadedForm*> forms = std::exchange(LoadedForms(), {});
    for (LoadedForm* form : forms) {
        form->Discard();
    }
    PostQuitMessage(0);
}

bool Runtime::Ended() {
    return ended;
}

void Runtime::FormLoaded(LoadedForm& form) {
    LoadedForms().push_back(&form);
}

void Runtime::FormUnloaded(LoadedForm& form) {
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end());
    if (forms.empty() && !ended) {
        PostQuitMessage(0);
    }
}

}  // namespace forms
