#pragma once
// What the game echoes from a player's file or command line.

#include <string>
#include <string_view>

// The text with every byte outside printable ASCII written as \xNN, so that
// echoing it cannot drive the terminal.
std::string printable(std::string_view text);
