#include "forms/process_start.h"

namespace forms {

ProcessCalls::Handle StartWithForeground(ProcessCalls& calls) {
    const std::optional<ProcessCalls::Created> created = calls.CreateSuspended();
    if (!created) {
        return nullptr;
    }
    calls.AllowForeground(created->processId);
    if (!calls.Resume(created->thread)) {
        calls.Terminate(created->process);
        calls.Close(created->thread);
        calls.Close(created->process);
        return nullptr;
    }
    calls.Close(created->thread);
    return created->process;
}

}  // namespace forms
