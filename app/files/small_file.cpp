#include "app/files/small_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

SmallFile readSmallFile(const std::string& path, size_t largest, std::string& text)
{
    text.clear();
    // Without O_NONBLOCK a named pipe would hold the game at the open until
    // something wrote to it; only a plain file is read.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? SmallFile::Missing : SmallFile::Unreadable;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return SmallFile::Unreadable;
    }
    char buffer[4096];
    ssize_t got = 0;
    while (text.size() <= largest && (got = read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        text.append(buffer, size_t(got));
    }
    close(fd);
    if (got < 0) return SmallFile::Unreadable;
    return text.size() > largest ? SmallFile::TooLarge : SmallFile::Read;
}
