#pragma once
// Where the files a player names on the command line are. The game runs in
// its own folder (it reads its media from there), so a relative name means
// the player's data folder, $XDG_DATA_HOME/skycourse.

#include <string>

// $XDG_DATA_HOME/skycourse, or ~/.local/share/skycourse when it is unset or
// not absolute; empty when neither can be found.
std::string playerDataFolder();

// $XDG_CONFIG_HOME/skycourse, or ~/.config/skycourse; empty when neither
// can be found.
std::string playerConfigFolder();

// A recording's path: an absolute one as it is, a relative one in the data
// folder (made when missing). Empty, with `problem` set, when that fails.
std::string recordingPath(const std::string& file, std::string& problem);

// A script to watch: an absolute path as it is; a relative one from the
// current folder when it is there, otherwise from the data folder.
std::string watchPath(const std::string& file);
