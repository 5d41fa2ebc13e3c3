#include "tools/mediagen/media.h"

#include "assets/media_manifest.h"
#include "tools/mediagen/icon.h"
#include "tools/mediagen/pictures.h"
#include "tools/mediagen/sky.h"
#include "tools/mediagen/sound.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

std::vector<NamedPicture> makeAllPictures()
{
    // In the order of the game's media manifest, which names the files.
    std::vector<Picture> made;
    made.push_back(makeBall(512, 256));
    made.push_back(makeMetal(512));
    made.push_back(makeGlass(256));
    made.push_back(makeEndPicture(1024));
    for (int i = 1; i <= 6; ++i)
        made.push_back(makeWood(i, 512));
    for (int face = 0; face < 6; ++face)
        made.push_back(makeSkyFace(face, 512));
    made.push_back(makeFont());
    std::vector<NamedPicture> all;
    for (std::size_t i = 0; i < pictureCount; ++i)
        all.push_back({pictureFiles[i], std::move(made[i])});
    return all;
}

namespace {

// In the order of the media manifest; the last is the MP3.
const std::function<Sound()> soundMakers[] = {
    makeJumpSound,   makeHitMetalSound, makeHitWoodSound,    makeSaveSound,   makeShrinkSound,
    makeGrowSound,   makeFallSound,     makeBackgroundMusic, makeVictoryMusic,
};
static_assert(std::size(soundMakers) == soundCount);

bool isMp3(const std::string& file)
{
    return file.size() > 4 && file.compare(file.size() - 4, 4, ".mp3") == 0;
}

bool makeFolder(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        std::fprintf(stderr, "skycourse-mediagen: cannot create %s: %s\n", path.c_str(), error.message().c_str());
    return !error;
}

bool save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    if (bytes.empty() || !writeBytes(path.string(), bytes)) {
        std::fprintf(stderr, "skycourse-mediagen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

bool writeMedia(const std::string& dir)
{
    const std::filesystem::path images = std::filesystem::path(dir) / "images";
    const std::filesystem::path soundDir = std::filesystem::path(dir) / "sounds";
    if (!makeFolder(images) || !makeFolder(soundDir))
        return false;
    bool ok = true;
    for (const NamedPicture& p : makeAllPictures())
        ok = save(images / p.file, encodeBmp(p.picture)) && ok;
    for (std::size_t i = 0; i < soundCount; ++i) {
        const Sound sound = soundMakers[i]();
        const std::string file = soundFiles[i];
        ok = save(soundDir / file, isMp3(file) ? encodeMp3(sound) : encodeWav(sound)) && ok;
    }
    return ok;
}

bool writePicturePngs(const std::string& dir)
{
    if (!makeFolder(dir))
        return false;
    bool ok = true;
    for (const NamedPicture& p : makeAllPictures()) {
        const std::string name = p.file.substr(0, p.file.size() - 4) + ".png";
        const std::string path = (std::filesystem::path(dir) / name).string();
        if (!writePng(path, p.picture)) {
            std::fprintf(stderr, "skycourse-mediagen: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    return ok;
}

int runMediagen(int argc, char** argv)
{
    const char* usage = "usage: skycourse-mediagen <outdir>\n"
                        "       skycourse-mediagen --png <dir>   (pictures as PNG, for viewing)\n"
                        "       skycourse-mediagen --icons <dir> (the desktop icons, <dir>/<n>x<n>/apps/skycourse.png)\n"
                        "       skycourse-mediagen --web-icons <dir> (the page's icons, <dir>/icon-<n>.png)\n";
    if (argc == 3 && std::strcmp(argv[1], "--png") == 0)
        return writePicturePngs(argv[2]) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0)
        return writeIcons(argv[2]) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "--web-icons") == 0)
        return writeWebIcons(argv[2]) ? 0 : 1;
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(usage, stderr);
        return 2;
    }
    return writeMedia(argv[1]) ? 0 : 1;
}
