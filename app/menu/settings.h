#pragma once
// What the player sets in the menu, kept in settings.conf in the player's
// config folder as `key = value` lines. An option given on the command line
// wins for that run and is not written back; that is the caller's to do.

#include <string>
#include <vector>

enum class RendererChoice { Classic, Shaders };
// Full: every pixel drawn. Fast: the scene drawn at a lower resolution and
// scaled up, the text still sharp; for machines that cannot keep up.
enum class GraphicsChoice { Full, Fast };

struct PlayerSettings {
    int musicVolume = 100;         // percent, 0..100
    int effectsVolume = 100;       // percent, 0..100
    bool mute = false;
    float mouseSensitivity = 1.0f; // 0.25..4 times the usual turn per pixel
    bool invertTilt = false;       // moving the mouse down tilts the view up
    int padDeadZone = 17;          // percent of a stick's reach that does nothing
    bool showTimer = false;
    bool showGhost = true;
    bool showSplits = true;
    float textSize = 1.0f;         // 1, 1.5 or 2
    RendererChoice renderer = RendererChoice::Classic;
    GraphicsChoice graphics = GraphicsChoice::Full;
    bool fullScreen = true;

    bool operator==(const PlayerSettings&) const = default;
};

// The steps the menu offers; a file's value must be one of them, so that
// whatever the menu shows is what was read.
extern const float sensitivitySteps[10];
extern const float textSizes[3];
extern const int padDeadZones[6];

// settings.conf's text. A line that is not `key = value` with a known key and
// a value in range makes the whole file damaged: false, with the first
// problem ("line 3: ..."), and `settings` left at the defaults.
bool parsePlayerSettings(const std::string& text, PlayerSettings& settings, std::string& problem);
std::string spellPlayerSettings(const PlayerSettings& settings);

// $XDG_CONFIG_HOME/skycourse/settings.conf, or empty when there is no
// config folder.
std::string playerSettingsPath();

// The file read as untrusted. Missing: the defaults, no problem. Damaged,
// unreadable or too large: the defaults, the file moved aside as a damaged
// times.json is, and one line for stderr in `problem`.
PlayerSettings loadPlayerSettings(const std::string& path, std::string& problem);

// Written atomically (a kill at any moment leaves the old file or the new
// one), the folder made when missing. Empty, or the problem.
std::string savePlayerSettings(const std::string& path, const PlayerSettings& settings);

// keys.conf written atomically from the bindings, so keys.conf stays the
// one place bindings live. Empty, or the problem.
struct KeyBindings;
std::string saveKeyBindings(const std::string& path, const KeyBindings& bindings);

// A pointer move at the player's mouse sensitivity and tilt: its distance
// from the centre of a screen this size scaled, and turned over up and
// down with `invertTilt`. At 1 and not inverted it is the move itself, so
// the recorded `mouse` lines and their replay are as before.
void adjustPointer(const PlayerSettings& settings, int width, int height, int& x, int& y);
