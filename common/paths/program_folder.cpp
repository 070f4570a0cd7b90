#include "paths/program_folder.h"

#include <vector>

namespace {

// MAX_PATH: almost every path fits at the first try.
constexpr std::uint32_t kFirstBufferSize = 260;
// Windows paths end at 32767 characters; a reader that keeps filling a larger buffer is broken.
constexpr std::uint32_t kLongestPath = 32768;

}  // namespace

std::wstring ReadProgramPath(const ModulePathReader& read) {
    std::vector<wchar_t> buffer(kFirstBufferSize);
    for (;;) {
        const auto size = static_cast<std::uint32_t>(buffer.size());
        const std::uint32_t length = read(buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return std::wstring(buffer.data(), length);
        }
        if (size >= kLongestPath) {
            return {};
        }
        buffer.resize(size * 2);
    }
}

std::wstring FolderOfProgram(const std::wstring& programPath) {
    const std::size_t separator = programPath.rfind(L'\\');
    if (separator == std::wstring::npos) {
        return {};
    }
    const std::wstring folder = programPath.substr(0, separator);
    const bool driveRoot = folder.size() == 2 && folder[1] == L':';
    return driveRoot ? folder + L"\\" : folder;
}

std::wstring QuotedCommandLine(const std::wstring& programPath) {
    return L"\"" + programPath + L"\"";
}

std::wstring TemporaryPathBeside(const std::wstring& path, const std::wstring& writer) {
    return path + (writer.empty() ? L"" : L"." + writer) + L".new";
}
