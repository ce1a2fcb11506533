#include "FailingCalls.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>

namespace tarvello::test {

Failures failing;

}  // namespace tarvello::test

namespace {

using tarvello::test::failing;

bool WriteOnly(int fd) { return (fcntl(fd, F_GETFL) & O_ACCMODE) == O_WRONLY; }

// True, with errno set, when the call is armed to fail with `error`.
bool Fails(int error) {
    if (error == 0)
        return false;
    errno = error;
    return true;
}

}  // namespace

extern "C" {
int __real_close(int fd);
int __real_openat(int dirFd, const char* path, int flags, ...);
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_linkat(int fromFd, const char* from, int toFd, const char* to, int flags);
int __real_renameat(int fromFd, const char* from, int toFd, const char* to);
int __real_renameat2(int fromFd, const char* from, int toFd, const char* to, unsigned flags);
dirent* __real_readdir(DIR* dir);
long __real_fpathconf(int fd, int name);
int __real_syncfs(int fd);

int __wrap_close(int fd) {
    const bool fail = failing.closeError != 0 && WriteOnly(fd);
    const int result = __real_close(fd);  // the descriptor is gone either way, as on Linux
    return fail && Fails(failing.closeError) ? -1 : result;
}

int __wrap_openat(int dirFd, const char* path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
    const bool tooLong = failing.nameMax > 0 && std::strlen(path) > static_cast<std::size_t>(failing.nameMax);
    if (Fails(failing.noUnnamedFiles && unnamed ? EOPNOTSUPP : tooLong && (flags & O_CREAT) != 0 ? ENAMETOOLONG : 0))
        return -1;
    return __real_openat(dirFd, path, flags, mode);
}

ssize_t __wrap_write(int fd, const void* data, size_t size) {
    return WriteOnly(fd) && Fails(failing.writeError) ? -1 : __real_write(fd, data, size);
}

int __wrap_linkat(int fromFd, const char* from, int toFd, const char* to, int flags) {
    return Fails(failing.linkError) ? -1 : __real_linkat(fromFd, from, toFd, to, flags);
}

int __wrap_renameat(int fromFd, const char* from, int toFd, const char* to) {
    return Fails(failing.renameError) ? -1 : __real_renameat(fromFd, from, toFd, to);
}

int __wrap_renameat2(int fromFd, const char* from, int toFd, const char* to, unsigned flags) {
    return Fails(failing.noRenameFlags && flags != 0 ? EINVAL : 0) ? -1 : __real_renameat2(fromFd, from, toFd, to, flags);
}

int __wrap_syncfs(int fd) {
    return Fails(failing.syncError) ? -1 : __real_syncfs(fd);
}

long __wrap_fpathconf(int fd, int name) {
    return failing.nameMax > 0 && name == _PC_NAME_MAX ? failing.nameMax : __real_fpathconf(fd, name);
}

dirent* __wrap_readdir(DIR* dir) {
    if (Fails(failing.readdirAfter == 0 ? EIO : 0))
        return nullptr;
    dirent* entry = __real_readdir(dir);
    if (entry && entry->d_name[0] != '.' && failing.readdirAfter > 0)
        --failing.readdirAfter;
    return entry;
}
}
