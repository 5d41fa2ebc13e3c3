// Start-up before any window: the standard descriptors and the media folder.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "app/files/media_folder.h"
#include "app/files/standard_streams.h"
#include "tests/support/media_files.h"

namespace {

namespace fs = std::filesystem;

TEST(StandardStreams, ClosedOnesAreOpenedSoTheNextFileIsNotOneOfThem)
{
    for (int closed : {0b001, 0b100, 0b111}) {
        const pid_t child = fork();
        if (child == 0) {
            for (int fd = 0; fd <= 2; ++fd)
                if (closed & (1 << fd)) close(fd);
            openClosedStandardDescriptors();
            const bool allOpen = fcntl(0, F_GETFD) != -1 && fcntl(1, F_GETFD) != -1 && fcntl(2, F_GETFD) != -1;
            _exit(allOpen && open("/dev/null", O_RDONLY) > 2 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "closed set " << closed;
    }
}

TEST(MediaFolder, WorkingDirectoryFirstThenBesideTheExecutableThenInstalled)
{
    ScratchDir scratch;
    const fs::path root = scratch.path;
    for (const char* dir : {"here/shaders", "game/images", "bare", "tool", "usr/games", "usr/share/games/skycourse/sounds",
                            "both/games/images", "both/share/games/skycourse/images"})
        fs::create_directories(root / dir);
    const fs::path game = root / "game/skycourse";
    struct Case {
        const char* workingDir;
        fs::path executable;
        fs::path expected;
    };
    const Case cases[] = {
        {"here", game, root / "here"},  // any one media folder counts
        {"bare", game, root / "game"},
        {"bare", root / "tool/skycourse", root / "bare"},  // nowhere: the errors name the usual paths
        {"bare", fs::path(), root / "bare"},
        {"bare", root / "usr/games/skycourse", root / "usr/share/games/skycourse"},  // as installed
        {"here", root / "usr/games/skycourse", root / "here"},
        {"bare", root / "both/games/skycourse", root / "both/games"},  // a build beside an installation
        {"bare", root / "tool/../usr/games/skycourse", root / "usr/share/games/skycourse"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mediaFolder(root / c.workingDir, c.executable), c.expected)
            << c.workingDir << " with " << c.executable;
    }
}

}  // namespace
