#pragma once
// Runs the replay tool (REPLAY_PATH) as a reader of scripts would, always
// without an X display, and hands back its exit code and output lines.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace replaytool {

struct Outcome {
    int status = -1;                // exit code; -1 when it did not exit
    std::vector<std::string> rows;  // stdout lines
    std::string err;
};

inline std::string scratchFile(const char* tag)
{
    std::string path = std::string("/tmp/skycourse-replay-") + tag + "-XXXXXX";
    int fd = mkstemp(path.data());
    if (fd >= 0) {
        close(fd);
    }
    return path;
}

inline std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

inline std::vector<std::string> lines(const std::string& text) { return split(text, '\n'); }
inline std::vector<std::string> fields(const std::string& row) { return split(row, ','); }

// Where the tool's streams go besides the defaults.
struct Streams {
    std::string in = "/dev/null";
    std::string out;            // empty: a scratch file, read back into rows
    bool keepDisplay = false;   // DISPLAY as the test has it, for `shot`
};

inline Streams rowsTo(const std::string& file)
{
    Streams streams;
    streams.out = file;
    return streams;
}

// The tool with the given shell-quoted arguments.
inline Outcome runWith(const std::string& arguments, const Streams& streams = {})
{
    std::string out = streams.out.empty() ? scratchFile("out") : streams.out;
    std::string err = scratchFile("err");
    std::string command = std::string(streams.keepDisplay ? "" : "env -u DISPLAY -u WAYLAND_DISPLAY ") +
                          "'" + REPLAY_PATH + "' " + arguments + " < '" + streams.in + "' > '" + out +
                          "' 2> '" + err + "'";
    Outcome run;
    int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = slurp(err);
    std::remove(err.c_str());
    if (streams.out.empty()) {
        run.rows = lines(slurp(out));
        std::remove(out.c_str());
    }
    return run;
}

inline Outcome runFile(const std::string& scriptFile)
{
    return runWith("'" + scriptFile + "'");
}

// The script from a scratch file named as the argument, or fed on stdin.
inline Outcome runScript(const std::string& script, bool fromFile = false, Streams streams = {})
{
    std::string in = scratchFile("in");
    std::ofstream(in, std::ios::binary) << script;
    streams.in = fromFile ? "/dev/null" : in;
    Outcome run = runWith(fromFile ? "'" + in + "'" : "", streams);
    std::remove(in.c_str());
    return run;
}

}  // namespace replaytool
