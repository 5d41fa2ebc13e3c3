#include "tests/support/xvfb.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

pid_t xvfbPid = 0;
std::string displayName;

void stopXvfb()
{
    if (xvfbPid > 0) {
        kill(xvfbPid, SIGTERM);
        waitpid(xvfbPid, nullptr, 0);
        xvfbPid = 0;
    }
}

}  // namespace

std::string startXvfb()
{
    if (!displayName.empty()) {
        return displayName;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        std::perror("pipe");
        std::abort();
    }
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::string fd = std::to_string(fds[1]);
        // -displayfd lets the server pick a free display and tell us which.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "+extension", "GLX", "-nolisten", "tcp", "-noreset", (char*)nullptr);
        std::perror("Xvfb");
        _exit(127);
    }
    close(fds[1]);
    char buf[32] = {0};
    ssize_t n = 0;
    size_t got = 0;
    while (got < sizeof buf - 1 && (n = read(fds[0], buf + got, sizeof buf - 1 - got)) > 0) {
        got += static_cast<size_t>(n);
        if (buf[got - 1] == '\n') break;
    }
    close(fds[0]);
    if (got == 0) {
        std::fprintf(stderr, "test support: Xvfb did not start\n");
        std::abort();
    }
    xvfbPid = pid;
    std::atexit(stopXvfb);
    displayName = ":" + std::to_string(std::atoi(buf));
    setenv("DISPLAY", displayName.c_str(), 1);
    return displayName;
}

void openTestWindow(int width, int height)
{
    static bool open = false;
    if (open) return;
    startXvfb();
    int argc = 1;
    char name[] = "skycourse-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(width, height);
    glutCreateWindow("skycourse-test");
    open = true;
}

TestFramebuffer makeFramebuffer(int width, int height)
{
    TestFramebuffer fb;
    fb.width = width;
    fb.height = height;
    glGenFramebuffers(1, &fb.fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.fbo);
    glGenRenderbuffers(1, &fb.colour);
    glBindRenderbuffer(GL_RENDERBUFFER, fb.colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, fb.colour);
    glGenRenderbuffers(1, &fb.depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, fb.depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              fb.depthStencil);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "test support: framebuffer incomplete\n");
        std::abort();
    }
    glViewport(0, 0, width, height);
    return fb;
}

void deleteFramebuffer(TestFramebuffer& fb)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &fb.colour);
    glDeleteRenderbuffers(1, &fb.depthStencil);
    glDeleteFramebuffers(1, &fb.fbo);
    fb = TestFramebuffer{};
}

Rgba readPixel(int x, int y)
{
    Rgba p{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
    return p;
}
