#include "app/files/course_library.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/files/course_file.h"
#include "app/files/media_folder.h"
#include "app/files/player_files.h"
#include "app/files/printable.h"
#include "world/level.h"

namespace fs = std::filesystem;

namespace {

bool namesAFile(const std::string& nameOrFile)
{
    return nameOrFile.find('/') != std::string::npos ||
           (nameOrFile.size() > 7 && nameOrFile.compare(nameOrFile.size() - 7, 7, ".course") == 0);
}

// An id a file name can carry and a script line can name: letters, digits,
// '-' and '_'.
bool plainId(const std::string& id)
{
    return !id.empty() && id.size() <= 64 && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

}  // namespace

const std::shared_ptr<const Course>& builtInCourse()
{
    static const std::shared_ptr<const Course> course = std::make_shared<const Course>(buildLevel());
    return course;
}

std::vector<std::string> courseFolders()
{
    std::vector<std::string> folders;
    std::error_code error;
    folders.push_back((mediaFolder(fs::current_path(error), runningExecutable()) / "courses").string());
    if (const std::string data = playerDataFolder(); !data.empty()) folders.push_back(data + "/courses");
    return folders;
}

std::vector<CourseListing> listCourses(const std::vector<std::string>& folders, std::vector<std::string>& problems)
{
    std::vector<CourseListing> listed;
    for (const std::string& folder : folders) {
        std::error_code error;
        std::vector<fs::path> files;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
            if (entry->path().extension() == ".course") files.push_back(entry->path());
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            const std::string id = file.stem().string();
            if (!plainId(id)) continue;
            if (std::any_of(listed.begin(), listed.end(), [&](const CourseListing& c) { return c.id == id; })) continue;
            Course course;
            CourseInfo info;
            const std::string problem = loadCourseFile(file.string(), course, info);
            if (!problem.empty()) {
                problems.push_back(problem);
                continue;
            }
            listed.push_back({id, info.name, int64_t(info.par) * 1000, file.string()});
        }
    }
    return listed;
}

std::string findCourse(const std::string& nameOrFile, const std::vector<std::string>& folders, FoundCourse& found)
{
    if (nameOrFile == builtInCourseId) {
        found = {builtInCourse(), {"The Ascent", 235}, builtInCourseId};
        return "";
    }
    std::string path;
    std::string id;
    if (namesAFile(nameOrFile)) {
        path = nameOrFile;
        id = nameOrFile;
    } else {
        if (!plainId(nameOrFile)) return "no course '" + printable(nameOrFile) + "' (a name or a .course file)";
        for (const std::string& folder : folders) {
            std::error_code error;
            if (fs::is_regular_file(folder + "/" + nameOrFile + ".course", error)) {
                path = folder + "/" + nameOrFile + ".course";
                break;
            }
        }
        if (path.empty()) return "no course '" + nameOrFile + "' (skycourse --list-courses lists them)";
        id = nameOrFile;
    }
    auto course = std::make_shared<Course>();
    CourseInfo info;
    const std::string problem = loadCourseFile(path, *course, info);
    if (!problem.empty()) return problem;
    found = {std::move(course), info, id};
    return "";
}

std::string courseRunsFolder(const std::string& dataFolder, const std::string& id)
{
    if (dataFolder.empty() || id == builtInCourseId) return dataFolder;
    // A course given as a file keeps its runs under the file's own name.
    return dataFolder + "/runs/" + (plainId(id) ? id : fs::path(id).stem().string());
}
