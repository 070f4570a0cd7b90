#include "shell/extension_list.h"

#include <gtest/gtest.h>

TEST(ExtensionList, NamesAnExtensionOnlyAsAWholeWord) {
    struct Case {
        const char* list;
        bool listed;
    };
    const Case cases[] = {
        {"WGL_EXT_swap_control", true},
        {"WGL_ARB_pixel_format WGL_EXT_swap_control WGL_ARB_pbuffer", true},
        {"WGL_ARB_pixel_format WGL_EXT_swap_control", true},
        {"WGL_EXT_swap_control_tear", false},
        {"XWGL_EXT_swap_control WGL_EXT_swap_control_tear", false},
        {"WGL_EXT_swap_control_tear WGL_EXT_swap_control ", true},
        {"", false},
        {nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtensionListed(c.list, "WGL_EXT_swap_control"), c.listed)
            << (c.list != nullptr ? c.list : "(null)");
    }
}
