// Loaded with LD_PRELOAD into a test's child process: fsync (or write, as DROVEX_EIO_CALL says)
// fails with EIO on files whose path contains DROVEX_EIO_PATH, as a disk's write-back error
// would. Everything else goes to the system's own functions.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

bool failsOn(int fd, const char* call)
{
    const char* path = std::getenv("DROVEX_EIO_PATH");
    const char* which = std::getenv("DROVEX_EIO_CALL");
    if (!path || !which || std::strcmp(which, call) != 0)
        return false;
    char name[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), name, sizeof name - 1);
    if (n <= 0)
        return false;
    name[n] = '\0';
    return std::strstr(name, path) != nullptr;
}

template <typename F> F real(const char* name) { return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name)); }

} // namespace

extern "C" int fsync(int fd)
{
    if (failsOn(fd, "fsync")) {
        errno = EIO;
        return -1;
    }
    return real<int (*)(int)>("fsync")(fd);
}

extern "C" ssize_t write(int fd, const void* data, size_t size)
{
    if (failsOn(fd, "write")) {
        errno = EIO;
        return -1;
    }
    return real<ssize_t (*)(int, const void*, size_t)>("write")(fd, data, size);
}
