#include "app/menu/settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "app/files/player_file.h"
#include "app/input/key_bindings.h"
#include "app/files/player_files.h"
#include "app/files/printable.h"
#include "app/files/small_file.h"

const float sensitivitySteps[10] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f, 2.0f, 2.5f, 3.0f, 4.0f};
const float textSizes[3] = {1.0f, 1.5f, 2.0f};
const int padDeadZones[6] = {5, 10, 17, 25, 33, 50};

namespace {

// A few short lines; anything larger is not ours.
constexpr size_t largestSettingsFile = 16 * 1024;

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool readSwitch(const std::string& word, bool& value)
{
    if (word == "on" || word == "yes" || word == "true") value = true;
    else if (word == "off" || word == "no" || word == "false") value = false;
    else return false;
    return true;
}

// A whole number of at most a few digits, nothing after it.
bool readPercent(const std::string& word, int& value)
{
    if (word.empty() || word.size() > 3) return false;
    int number = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number > 100) return false;
    value = number;
    return true;
}

// One of the menu's steps, however it is written ("1", "1.0", "0.50").
template <typename T, size_t N>
bool readStep(const std::string& word, const T (&steps)[N], T& value)
{
    if (word.empty() || word.size() > 8 || word.find_first_not_of("0123456789.") != std::string::npos) return false;
    char* end = nullptr;
    const double number = std::strtod(word.c_str(), &end);
    if (*end != '\0') return false;
    for (T step : steps) {
        if (std::fabs(number - double(step)) < 1e-6) {
            value = step;
            return true;
        }
    }
    return false;
}

const char* switchWord(bool on)
{
    return on ? "on" : "off";
}

// A value read from its word, by key: false for an unknown key or a value
// out of range.
bool readSetting(PlayerSettings& s, const std::string& key, const std::string& word)
{
    if (key == "music volume") return readPercent(word, s.musicVolume);
    if (key == "effects volume") return readPercent(word, s.effectsVolume);
    if (key == "mute") return readSwitch(word, s.mute);
    if (key == "mouse sensitivity") return readStep(word, sensitivitySteps, s.mouseSensitivity);
    if (key == "invert tilt") return readSwitch(word, s.invertTilt);
    if (key == "pad dead zone") return readStep(word, padDeadZones, s.padDeadZone);
    if (key == "show timer") return readSwitch(word, s.showTimer);
    if (key == "show ghost") return readSwitch(word, s.showGhost);
    if (key == "show splits") return readSwitch(word, s.showSplits);
    if (key == "text size") return readStep(word, textSizes, s.textSize);
    if (key == "full screen") return readSwitch(word, s.fullScreen);
    if (key == "renderer") {
        if (word == "classic") s.renderer = RendererChoice::Classic;
        else if (word == "shaders") s.renderer = RendererChoice::Shaders;
        else return false;
        return true;
    }
    if (key == "graphics") {
        if (word == "full") s.graphics = GraphicsChoice::Full;
        else if (word == "fast") s.graphics = GraphicsChoice::Fast;
        else return false;
        return true;
    }
    return false;
}

}  // namespace

bool parsePlayerSettings(const std::string& text, PlayerSettings& settings, std::string& problem)
{
    PlayerSettings read;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string body = trimmed(line.substr(0, line.find('#')));
        if (body.empty()) continue;
        const size_t equals = body.find('=');
        const std::string key = equals == std::string::npos ? body : trimmed(body.substr(0, equals));
        const std::string word = equals == std::string::npos ? "" : trimmed(body.substr(equals + 1));
        if (equals == std::string::npos || !readSetting(read, key, word)) {
            problem = "line " + std::to_string(number) + ": '" + printable(body.substr(0, 60)) + "' is not a setting";
            settings = PlayerSettings{};
            return false;
        }
    }
    settings = read;
    return true;
}

std::string spellPlayerSettings(const PlayerSettings& s)
{
    std::ostringstream out;
    out << "# Skycourse's settings, written by the game's menu.\n"
        << "music volume = " << s.musicVolume << "\n"
        << "effects volume = " << s.effectsVolume << "\n"
        << "mute = " << switchWord(s.mute) << "\n"
        << "mouse sensitivity = " << s.mouseSensitivity << "\n"
        << "invert tilt = " << switchWord(s.invertTilt) << "\n"
        << "pad dead zone = " << s.padDeadZone << "\n"
        << "show timer = " << switchWord(s.showTimer) << "\n"
        << "show ghost = " << switchWord(s.showGhost) << "\n"
        << "show splits = " << switchWord(s.showSplits) << "\n"
        << "text size = " << s.textSize << "\n"
        << "renderer = " << (s.renderer == RendererChoice::Shaders ? "shaders" : "classic") << "\n"
        << "graphics = " << (s.graphics == GraphicsChoice::Fast ? "fast" : "full") << "\n"
        << "full screen = " << switchWord(s.fullScreen) << "\n";
    return out.str();
}

std::string playerSettingsPath()
{
    const std::string folder = playerConfigFolder();
    return folder.empty() ? "" : folder + "/settings.conf";
}

PlayerSettings loadPlayerSettings(const std::string& path, std::string& problem)
{
    PlayerSettings settings;
    std::string text;
    std::string why;
    switch (readSmallFile(path, largestSettingsFile, text)) {
    case SmallFile::Missing: return settings;
    case SmallFile::Unreadable: why = "cannot be read"; break;
    case SmallFile::TooLarge: why = "is larger than 16 KiB"; break;
    case SmallFile::Read:
        if (parsePlayerSettings(text, settings, why)) return settings;
        break;
    }
    // The player's own values stay in the file set aside; the game goes on
    // with the defaults and the next save starts a new file.
    const MovedAside moved = moveAside(path);
    problem = moved.moved ? path + ": " + why + "; kept as " + moved.aside + ", the defaults used"
                          : path + ": " + why + "; the defaults used (cannot be moved aside: " + moved.problem + ")";
    return PlayerSettings{};
}

namespace {

std::string writeWithFolder(const std::string& path, const std::string& text)
{
    if (path.empty()) return "no config folder to keep it in";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return writeAtomically(path, text);
}

}  // namespace

std::string savePlayerSettings(const std::string& path, const PlayerSettings& settings)
{
    return writeWithFolder(path, spellPlayerSettings(settings));
}

std::string saveKeyBindings(const std::string& path, const KeyBindings& bindings)
{
    return writeWithFolder(path, spellKeyBindings(bindings));
}

void adjustPointer(const PlayerSettings& settings, int width, int height, int& x, int& y)
{
    const int centreX = width / 2;
    const int centreY = height / 2;
    const double tilt = settings.invertTilt ? -1.0 : 1.0;
    x = centreX + int(std::lround(double(x - centreX) * settings.mouseSensitivity));
    y = centreY + int(std::lround(double(y - centreY) * settings.mouseSensitivity * tilt));
}
