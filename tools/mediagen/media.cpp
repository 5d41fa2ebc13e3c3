#include "tools/mediagen/media.h"

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
    std::vector<NamedPicture> all;
    all.push_back({"ball.bmp", makeBall(512, 256)});
    all.push_back({"metal.bmp", makeMetal(512)});
    all.push_back({"glass.bmp", makeGlass(256)});
    all.push_back({"theEnd.bmp", makeEndPicture(1024)});
    for (int i = 1; i <= 6; ++i)
        all.push_back({"wood" + std::to_string(i) + ".bmp", makeWood(i, 512)});
    for (int face = 0; face < 6; ++face)
        all.push_back({skyFaceFiles[face], makeSkyFace(face, 512)});
    return all;
}

namespace {

struct NamedSound {
    const char* file;
    std::function<Sound()> make;
    bool mp3;
};

const NamedSound sounds[] = {
    {"jump.wav", makeJumpSound, false},     {"hitMetal.wav", makeHitMetalSound, false},
    {"hitWood.wav", makeHitWoodSound, false}, {"save.wav", makeSaveSound, false},
    {"shrink.wav", makeShrinkSound, false}, {"grow.wav", makeGrowSound, false},
    {"fall.wav", makeFallSound, false},     {"MI2.wav", makeBackgroundMusic, false},
    {"musicVictory.mp3", makeVictoryMusic, true},
};

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
    for (const NamedSound& s : sounds) {
        const Sound sound = s.make();
        ok = save(soundDir / s.file, s.mp3 ? encodeMp3(sound) : encodeWav(sound)) && ok;
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
                        "       skycourse-mediagen --png <dir>   (pictures as PNG, for viewing)\n";
    if (argc == 3 && std::strcmp(argv[1], "--png") == 0)
        return writePicturePngs(argv[2]) ? 0 : 1;
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(usage, stderr);
        return 2;
    }
    return writeMedia(argv[1]) ? 0 : 1;
}
