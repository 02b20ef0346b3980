#pragma once
#include "Messages.h"

#include <filesystem>
#include <string>
#include <string_view>

class RecordMessages {
public:
    RecordMessages() { previous_ = Messages::install(&recorder); }
    ~RecordMessages() { Messages::install(previous_); }
    RecordMessages(const RecordMessages&) = delete;
    RecordMessages& operator=(const RecordMessages&) = delete;

    std::vector<std::string> errors() const { return recorder.errors(); }
    MessageRecorder recorder;

private:
    MessageSink* previous_ = nullptr;
};

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void writeBytes(const std::string& path, std::string_view bytes);
std::string readBytes(const std::string& path);
