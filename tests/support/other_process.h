#pragma once
// A second process of the running test program, for tests of what one process sees of another.

#include <csignal>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// A second process of this program that waits until it is killed, or one that has ended.
class OtherProcess {
  public:
    explicit OtherProcess(bool alive) {
        pid_ = ::fork();
        if (pid_ == 0) {
            if (alive) ::pause();
            ::_exit(0);
        }
        if (!alive) end();
    }
    ~OtherProcess() { end(); }
    long pid() const { return pid_; }
    void end() {
        if (pid_ <= 0 || ended_) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ended_ = true;
    }

  private:
    pid_t pid_ = -1;
    bool ended_ = false;
};
