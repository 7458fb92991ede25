// Stands for a network share that has stopped answering, as a real file system for the
// end-to-end tests: a FUSE mount that shows the files of a folder, tells their sizes at once (as a
// share's attribute cache does), and holds every open of one of them until the answer file exists
// (the share answers again). A process waiting in such an open can still be killed, as on a share
// mounted to allow it.
//
// usage: hanging_share FOLDER MOUNT_POINT ANSWER_FILE      (stays in the foreground; the mount goes
//                                                          when it ends)
#define FUSE_USE_VERSION 31
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

static const char* folder;
static const char* answer;

static void realPath(char* out, const char* path) {
    snprintf(out, PATH_MAX, "%s%s", folder, path);
}

static int getAttributes(const char* path, struct stat* info, struct fuse_file_info* file) {
    (void)file;
    char real[PATH_MAX];
    realPath(real, path);
    return lstat(real, info) == 0 ? 0 : -errno;
}

static int readFolder(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
                      struct fuse_file_info* file, enum fuse_readdir_flags flags) {
    (void)offset, (void)file, (void)flags;
    char real[PATH_MAX];
    realPath(real, path);
    DIR* dir = opendir(real);
    if (!dir) return -errno;
    for (struct dirent* entry; (entry = readdir(dir));) fill(buffer, entry->d_name, NULL, 0, 0);
    closedir(dir);
    return 0;
}

static int openFile(const char* path, struct fuse_file_info* file) {
    while (access(answer, F_OK) != 0) {
        if (fuse_interrupted()) return -EINTR;
        usleep(20000);
    }
    char real[PATH_MAX];
    realPath(real, path);
    const int fd = open(real, file->flags & O_ACCMODE);
    if (fd < 0) return -errno;
    file->fh = (uint64_t)fd;
    return 0;
}

static int readFile(const char* path, char* buffer, size_t size, off_t offset, struct fuse_file_info* file) {
    (void)path;
    const ssize_t n = pread((int)file->fh, buffer, size, offset);
    return n < 0 ? -errno : (int)n;
}

static int release(const char* path, struct fuse_file_info* file) {
    (void)path;
    close((int)file->fh);
    return 0;
}

static const struct fuse_operations OPERATIONS = {
    .getattr = getAttributes, .readdir = readFolder, .open = openFile, .read = readFile, .release = release};

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s FOLDER MOUNT_POINT ANSWER_FILE\n", argv[0]);
        return 2;
    }
    folder = argv[1];
    answer = argv[3];
    char* arguments[] = {argv[0], "-f", "-o", "auto_unmount", argv[2], NULL};
    return fuse_main(5, arguments, &OPERATIONS, NULL);
}
