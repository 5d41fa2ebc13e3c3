#include "app/desktop/signals.h"

#include <signal.h>

#include <cstdlib>
#include <initializer_list>

namespace {

volatile sig_atomic_t caught = 0;

void noteSignal(int signal)
{
    caught = signal;
}

}  // namespace

void catchQuitSignals()
{
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the second Ctrl+C kills a game stuck before its loop.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (int s : {SIGINT, SIGTERM, SIGHUP}) {
        // Started under nohup (or with Ctrl+C ignored): it stays ignored.
        struct sigaction before {};
        sigaction(s, nullptr, &before);
        if (before.sa_handler != SIG_IGN) sigaction(s, &action, nullptr);
    }
}

int quitSignal()
{
    return caught;
}

void endBySignal(int signal)
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
    // Only if the signal is blocked or ignored.
    std::_Exit(128 + signal);
}
