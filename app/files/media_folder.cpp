#include "app/files/media_folder.h"

namespace {

bool holdsMedia(const std::filesystem::path& folder)
{
    std::error_code error;
    for (const char* name : {"images", "sounds", "shaders"}) {
        if (std::filesystem::is_directory(folder / name, error)) return true;
    }
    return false;
}

}  // namespace

std::filesystem::path mediaFolder(const std::filesystem::path& workingDirectory,
                                  const std::filesystem::path& executable)
{
    if (holdsMedia(workingDirectory) || executable.empty()) return workingDirectory;
    const std::filesystem::path beside = executable.parent_path();
    if (holdsMedia(beside)) return beside;
    // Installed, the programs are in <prefix>/games and the media in
    // <prefix>/share/games/skycourse, wherever the prefix is (a package's
    // /usr, /usr/local, or a staging DESTDIR).
    const std::filesystem::path installed = (beside / "../share/games/skycourse").lexically_normal();
    return holdsMedia(installed) ? installed : workingDirectory;
}

std::filesystem::path runningExecutable()
{
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable;
}

void enterMediaFolder()
{
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (error) return;
    const std::filesystem::path folder = mediaFolder(here, runningExecutable());
    if (folder != here) std::filesystem::current_path(folder, error);
}
