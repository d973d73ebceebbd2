// Host file helpers of the simulated PC: whole-file reads, replacement through a file beside the
// target renamed over it, and advisory locks that serialize processes sharing one machine.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace winsim {

// The whole content of a file; empty optional when it cannot be read (errno is kept).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes `content` to a temporary file beside `path`, flushes it and renames it over `path`, so
// that readers see the old or the new content and never a part. False with a message.
bool ReplaceFile(const std::filesystem::path& path, const std::string& content, std::string& error);

// An flock() held for the object's lifetime on a lock file (created when missing).
class FileLock {
  public:
    enum class Mode { Shared, Exclusive };
    FileLock(const std::filesystem::path& lockFile, Mode mode);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

}  // namespace winsim
