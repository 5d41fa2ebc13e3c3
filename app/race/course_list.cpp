#include "app/race/course_list.h"

#include "app/files/printable.h"
#include "app/files/small_file.h"
#include "app/race/best_times.h"

int64_t bestTimeOf(const std::string& runsFolder)
{
    std::string text;
    std::vector<RunTime> runs;
    if (runsFolder.empty() || readSmallFile(bestTimesPath(runsFolder), largestTimesFile, text) != SmallFile::Read ||
        !parseBestTimes(text, runs) || runs.empty()) {
        return 0;
    }
    return runs.front().milliseconds;
}

std::string describeCourses(const std::vector<std::string>& folders, const std::string& dataFolder)
{
    std::vector<std::string> problems;
    std::vector<CourseListing> listed = listCourses(folders, problems);
    std::string text;
    for (const CourseListing& course : listed) {
        const int64_t best = bestTimeOf(courseRunsFolder(dataFolder, course.id));
        text += course.id + "  \"" + course.name + "\"  par " +
                (course.parMs > 0 ? formatRunTime(course.parMs) : std::string("-")) + "  best " +
                (best > 0 ? formatRunTime(best) : std::string("-")) + "\n";
    }
    for (const std::string& problem : problems) text += "# not listed: " + printable(problem) + "\n";
    return text;
}
