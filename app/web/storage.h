#pragma once
// The player's files in the browser: the desktop's own code reads and
// writes them in folders of the page's memory, and these move them to and
// from the browser's storage (localStorage), one entry per file, so the
// desktop's rules for damaged files hold here unchanged.

#include <string>

// Copies every stored file of `folder` into that folder. False when the
// browser gives the page no storage (disabled, as in some private modes).
bool loadStoredFolder(const std::string& folder);

// Stores every file of `folder` (all but lock and temporary files). False
// when storage is disabled or full; what was stored before stays.
bool storeFolder(const std::string& folder);
