#pragma once
// The best five runs, with their dates, in times.json in the player's data
// folder. The file is untrusted on the way in and written so that a crash or
// a kill at any moment leaves either the old file or the new one whole.

#include <cstdint>
#include <string>
#include <vector>


struct RunTime {
    int64_t milliseconds = 0;
    std::string date;  // local time, "YYYY-MM-DD HH:MM"

    bool operator==(const RunTime&) const = default;
};

constexpr size_t bestTimesKept = 5;
// Longer than any run kept or any stretch of one: a year.
constexpr int64_t longestKeptMilliseconds = 1000LL * 3600 * 24 * 365;

// times.json in the player's data folder `folder`.
std::string bestTimesPath(const std::string& folder);

// The file holds five short lines; anything larger is not one of ours.
constexpr size_t largestTimesFile = 64 * 1024;

// "m:ss.cc", or "h:mm:ss.cc" for a run of an hour or more.
std::string formatRunTime(int64_t milliseconds);

// times.json's text. False when it is not a list of runs as this game writes
// them; `runs` is then left empty.
bool parseBestTimes(const std::string& text, std::vector<RunTime>& runs);
std::string spellBestTimes(const std::vector<RunTime>& runs);
