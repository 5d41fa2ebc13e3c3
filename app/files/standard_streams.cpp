#include "app/files/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

void openClosedStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1) continue;
        // open() hands out the lowest free descriptor, which is this one:
        // the lower ones are open by now.
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0) close(opened);
    }
}
