#include "shell/extension_list.h"

#include <cstring>

bool ExtensionListed(const char* list, const char* name) {
    const std::size_t length = std::strlen(name);
    if (list == nullptr || length == 0) {
        return false;
    }
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}
