#include "storage/FileHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {

FileHandle::FileHandle(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = uint64_t(info.st_size);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_NORMAL);
#endif
}

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

size_t FileHandle::readAt(uint64_t offset, void* buffer, size_t count) const {
    if (fd_ < 0) return 0;
    size_t done = 0;
    auto* out = static_cast<uint8_t*>(buffer);
    while (done < count) {
        ssize_t n = ::pread(fd_, out + done, count - done, off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (n == 0) break;
        done += size_t(n);
    }
    return done;
}

}  // namespace pw
