#include "app/race/best_times.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "sim/timing.h"

namespace {

constexpr size_t longestDate = 40;

// A reader over the text that fails for good at the first surprise.
struct Reader {
    const std::string& text;
    size_t at = 0;
    bool ok = true;

    void space()
    {
        while (at < text.size() && std::strchr(" \t\r\n", text[at])) ++at;
    }
    bool peek(char c)
    {
        space();
        return ok && at < text.size() && text[at] == c;
    }
    void expect(char c)
    {
        if (peek(c)) {
            ++at;
        } else {
            ok = false;
        }
    }
    std::string string()
    {
        expect('"');
        std::string out;
        while (ok && at < text.size() && text[at] != '"') {
            const unsigned char c = static_cast<unsigned char>(text[at++]);
            if (c < 0x20 || c > 0x7e || c == '\\' || out.size() == longestDate) ok = false;
            out += char(c);
        }
        expect('"');
        return out;
    }
    void name(const char* wanted)
    {
        if (string() != wanted) ok = false;
        expect(':');
    }
    int64_t number()
    {
        space();
        int64_t value = 0;
        const size_t first = at;
        while (ok && at < text.size() && text[at] >= '0' && text[at] <= '9' && value <= longestKeptMilliseconds) {
            value = value * 10 + (text[at++] - '0');
        }
        if (at == first || value <= 0 || value > longestKeptMilliseconds) ok = false;
        return value;
    }
};

}  // namespace

std::string formatRunTime(int64_t milliseconds)
{
    const int64_t hundredths = milliseconds / 10;
    const int64_t seconds = hundredths / 100;
    char text[48];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld", (long long)(seconds / 3600),
                      (long long)(seconds / 60 % 60), (long long)(seconds % 60), (long long)(hundredths % 100));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld.%02lld", (long long)(seconds / 60), (long long)(seconds % 60),
                      (long long)(hundredths % 100));
    }
    return text;
}

bool parseBestTimes(const std::string& text, std::vector<RunTime>& runs)
{
    runs.clear();
    Reader in{text};
    in.expect('{');
    in.name("times");
    in.expect('[');
    std::vector<RunTime> read;
    // Every run read takes some of the text, which is bounded, so the loop is.
    while (in.ok && !in.peek(']')) {
        if (!read.empty()) in.expect(',');
        in.expect('{');
        RunTime run;
        in.name("ms");
        run.milliseconds = in.number();
        in.expect(',');
        in.name("date");
        run.date = in.string();
        in.expect('}');
        read.push_back(run);
    }
    in.expect(']');
    in.expect('}');
    in.space();
    if (!in.ok || in.at != text.size()) return false;
    std::stable_sort(read.begin(), read.end(),
                     [](const RunTime& a, const RunTime& b) { return a.milliseconds < b.milliseconds; });
    if (read.size() > bestTimesKept) read.resize(bestTimesKept);
    runs = std::move(read);
    return true;
}

std::string spellBestTimes(const std::vector<RunTime>& runs)
{
    std::string text = "{\n  \"times\": [";
    for (size_t i = 0; i < runs.size(); ++i) {
        text += i == 0 ? "\n" : ",\n";
        text += "    {\"ms\": " + std::to_string(runs[i].milliseconds) + ", \"date\": \"" + runs[i].date + "\"}";
    }
    return text + "\n  ]\n}\n";
}

std::string bestTimesPath(const std::string& folder)
{
    return folder + "/times.json";
}
