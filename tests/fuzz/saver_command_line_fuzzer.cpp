// Feeds arbitrary bytes to the screen saver as its command line (what follows the program's
// path): whatever Windows or another program passes, the mode is one of the five and a preview
// handle is read only for a preview.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_input.h"
#include "logic/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view commandLine(reinterpret_cast<const char*>(data), size);
    const StartRequest request = ParseCommandLine(commandLine);
    Require(request.modeLetter.size() == (size < 2 ? 0u : 1u), "the mode letter is one character");
    Require(request.mode == SaverMode::Preview || request.previewHandle == 0,
            "only a preview has a window handle");
    Require(request.mode != SaverMode::RunShown || size == 0,
            "only an empty command line runs with the cursor shown");
    return 0;
}
