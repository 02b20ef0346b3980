#pragma once
// Sequential byte input for the F-file readers: a file opened for raw
// reading, or bytes already in memory. Buffered, so the byte-by-byte header
// and END searches cost no system call per byte, while bulk sample reads go
// straight into the caller's array.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Next byte, or EOF (-1) at the end of the input.
    int get()
    {
        if (pos_ == end_ && !refill())
            return EOF;
        return static_cast<unsigned char>(buf_[pos_++]);
    }
    // Reads up to n bytes into dst; returns the number read.
    std::size_t read(void* dst, std::size_t n);
    // Bytes not yet consumed, when the total size is known; -1 otherwise.
    virtual long long remaining() const = 0;

protected:
    // Fills buf_ from the underlying input; false at the end.
    virtual bool refill() = 0;
    // Reads directly into dst, bypassing the buffer.
    virtual std::size_t readDirect(void* dst, std::size_t n) = 0;

    const char* buf_ = nullptr;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes);
    long long remaining() const override { return static_cast<long long>(end_ - pos_); }

protected:
    bool refill() override { return false; }
    std::size_t readDirect(void*, std::size_t) override { return 0; }
};

class FileSource : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    bool open(const std::string& path);
    long long remaining() const override;

protected:
    bool refill() override;
    std::size_t readDirect(void* dst, std::size_t n) override;

private:
    int fd_ = -1;
    long long size_ = -1;
    long long consumed_ = 0;  // bytes taken from the file into buf_ or dst
    std::vector<char> storage_;
};
