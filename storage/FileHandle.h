#pragma once
// A data file opened read-only. Reads are positioned (pread), so no file
// position is shared and any thread may read. Nothing is ever written.

#include <cstdint>
#include <memory>
#include <string>

namespace pw {

class FileHandle {
public:
    // Opens `path` read-only; check isOpen() afterwards.
    explicit FileHandle(const std::string& path);
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    uint64_t size() const { return size_; }
    // Reads up to `count` bytes at `offset`; returns the number read (short
    // at the end of the file, 0 on error).
    size_t readAt(uint64_t offset, void* buffer, size_t count) const;

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

}  // namespace pw
