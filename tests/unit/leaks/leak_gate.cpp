// A program of ours that leaks one block while the GL driver is loaded. ctest expects
// LeakSanitizer to report it: a suppression that reached past the driver's libraries, or a leak
// check switched off, would let it pass unseen, and this test would fail.
#include <cstdio>

#include "../texture/test_gl_context.h"

namespace {

void* volatile lastBlock = nullptr;

// The only pointer to the block is overwritten, so nothing can reach it at exit.
void LeakOneBlockBesideTheDriver() {
    lastBlock = new char[24];
    lastBlock = nullptr;
}

}  // namespace

int main() {
    if (!MakeTestGlContextCurrent()) {
        std::puts("no GL test context");
        return 1;
    }
    LeakOneBlockBesideTheDriver();
    return 0;
}
