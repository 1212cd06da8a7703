/* A slow file system for the tests, put in front of the C library with
 * LD_PRELOAD: every metadata call, open, directory read and read of a file
 * under the folder named by TILEMERE_SLOW_DISK first waits
 * TILEMERE_SLOW_DISK_MS milliseconds (30 by default), as a network share
 * does. Everything else goes straight through. These are the calls the game,
 * Qt and the picture libraries import; the C library's own inner calls (its
 * readdir's getdents64, say) cannot be caught this way. */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

static char slowRoot[4096];
static size_t slowRootLength;
static long delayMs = 30;

__attribute__((constructor)) static void readSettings(void)
{
    const char *root = getenv("TILEMERE_SLOW_DISK");
    const char *ms = getenv("TILEMERE_SLOW_DISK_MS");
    if (root && *root && strlen(root) < sizeof slowRoot) {
        strcpy(slowRoot, root);
        slowRootLength = strlen(root);
        while (slowRootLength > 1 && slowRoot[slowRootLength - 1] == '/')
            slowRoot[--slowRootLength] = '\0';
    }
    if (ms)
        delayMs = atol(ms);
}

static int underRoot(const char *path)
{
    return slowRootLength > 0 && path && strncmp(path, slowRoot, slowRootLength) == 0
        && (path[slowRootLength] == '\0' || path[slowRootLength] == '/');
}

static int fdUnderRoot(int fd)
{
    char link[64], target[4096];
    if (slowRootLength == 0 || fd < 0)
        return 0;
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, target, sizeof target - 1);
    if (length <= 0)
        return 0;
    target[length] = '\0';
    return underRoot(target);
}

/* A path relative to a directory descriptor counts where that directory is. */
static int atUnderRoot(int dirFd, const char *path)
{
    if (path && path[0] == '/')
        return underRoot(path);
    if (dirFd == AT_FDCWD) {
        char cwd[4096];
        return getcwd(cwd, sizeof cwd) && underRoot(cwd);
    }
    return fdUnderRoot(dirFd);
}

static void slowDown(int slow)
{
    if (!slow)
        return;
    struct timespec pause = {delayMs / 1000, (delayMs % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
    }
}

#define NEXT(name) static __typeof__(name) *next_##name; if (!next_##name) next_##name = dlsym(RTLD_NEXT, #name)

static mode_t modeOf(int flags, va_list list)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(list, mode_t) : 0;
}

/* open and open64 are one call under two names; the game and Qt each use one. */
#define SLOW_OPEN(name)                                                        \
    int name(const char *path, int flags, ...)                                 \
    {                                                                          \
        va_list list;                                                          \
        va_start(list, flags);                                                 \
        const mode_t mode = modeOf(flags, list);                               \
        va_end(list);                                                          \
        NEXT(name);                                                            \
        slowDown(underRoot(path));                                             \
        return next_##name(path, flags, mode);                                 \
    }
SLOW_OPEN(open)
SLOW_OPEN(open64)

int stat(const char *path, struct stat *facts) { NEXT(stat); slowDown(underRoot(path)); return next_stat(path, facts); }
int stat64(const char *path, struct stat64 *facts) { NEXT(stat64); slowDown(underRoot(path)); return next_stat64(path, facts); }
int lstat(const char *path, struct stat *facts) { NEXT(lstat); slowDown(underRoot(path)); return next_lstat(path, facts); }
int lstat64(const char *path, struct stat64 *facts) { NEXT(lstat64); slowDown(underRoot(path)); return next_lstat64(path, facts); }
int fstat(int fd, struct stat *facts) { NEXT(fstat); slowDown(fdUnderRoot(fd)); return next_fstat(fd, facts); }
int fstat64(int fd, struct stat64 *facts) { NEXT(fstat64); slowDown(fdUnderRoot(fd)); return next_fstat64(fd, facts); }

int fstatat(int dirFd, const char *path, struct stat *facts, int flags)
{
    NEXT(fstatat);
    slowDown(atUnderRoot(dirFd, path));
    return next_fstatat(dirFd, path, facts, flags);
}

int statx(int dirFd, const char *path, int flags, unsigned int mask, struct statx *facts)
{
    NEXT(statx);
    slowDown(atUnderRoot(dirFd, path));
    return next_statx(dirFd, path, flags, mask, facts);
}

int access(const char *path, int mode) { NEXT(access); slowDown(underRoot(path)); return next_access(path, mode); }

DIR *opendir(const char *path) { NEXT(opendir); slowDown(underRoot(path)); return next_opendir(path); }

/* The directory is read from the disk a batch at a time: one wait for the
 * first entry and one for every 64 after it. */
static struct dirent64 *readSlowly(DIR *dir, struct dirent64 *(*next)(DIR *))
{
    static __thread DIR *current;
    static __thread long read;
    if (dir != current) {
        current = dir;
        read = 0;
    }
    if (read++ % 64 == 0)
        slowDown(fdUnderRoot(dirfd(dir)));
    return next(dir);
}

struct dirent64 *readdir64(DIR *dir) { NEXT(readdir64); return readSlowly(dir, next_readdir64); }
struct dirent *readdir(DIR *dir)
{
    NEXT(readdir);
    return (struct dirent *)readSlowly(dir, (struct dirent64 * (*)(DIR *)) next_readdir);
}

ssize_t read(int fd, void *buffer, size_t size) { NEXT(read); slowDown(fdUnderRoot(fd)); return next_read(fd, buffer, size); }
