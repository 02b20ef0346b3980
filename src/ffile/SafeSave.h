#pragma once
// Replacing a file without ever leaving it half written: the new contents go
// into a temporary file in the same folder, are flushed to the disk, and
// are then renamed over the target, so a failed save leaves the old file as
// it was. Saving through a symbolic link replaces the linked file, and a
// replaced file keeps its permissions.

#include <string>

class SafeSave {
public:
    SafeSave() = default;
    ~SafeSave();  // removes the temporary file unless committed
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    // Reserves a temporary file beside the target. With keepOpen the empty
    // file stays open for writing through fd(); without, the name is left
    // free for a writer that creates the file itself.
    bool begin(const std::string& target, bool keepOpen = true);
    int fd() const { return fd_; }
    const std::string& tempPath() const { return temp_; }

    // Flushes the temporary file to the disk and renames it over the
    // target; false (and the target untouched) on any failure.
    bool commit();

private:
    std::string target_;
    std::string dir_;
    std::string temp_;
    int fd_ = -1;
    unsigned mode_ = 0;
    bool committed_ = false;
};
