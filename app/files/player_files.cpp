#include "app/files/player_files.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// XDG has a relative value of its variables ignored.
std::string xdgFolder(const char* variable, const char* underHome)
{
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return std::string(set) + "/skycourse";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + underHome + "/skycourse";
    return "";
}

}  // namespace

std::string playerDataFolder()
{
    return xdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string playerConfigFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string recordingPath(const std::string& file, std::string& problem)
{
    if (fs::path(file).is_absolute()) return file;
    const std::string folder = playerDataFolder();
    if (folder.empty()) {
        problem = "no data folder for '" + file + "' (set HOME or XDG_DATA_HOME, or give an absolute path)";
        return "";
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        problem = "cannot make " + folder + ": " + error.message();
        return "";
    }
    return folder + "/" + file;
}

std::string watchPath(const std::string& file)
{
    std::error_code error;
    if (fs::path(file).is_absolute() || fs::exists(file, error)) return file;
    const std::string folder = playerDataFolder();
    return folder.empty() ? file : folder + "/" + file;
}
