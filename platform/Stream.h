#pragma once
// Byte streams of the framework: the abstract stream and a memory stream.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    // Writes up to count bytes; returns how many were written.
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    // Moves the position; returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual int64_t Size();

    // Whole-buffer transfers: anything short of count raises.
    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(const void* buffer, int32_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    void Reserve(size_t bytes) { bytes_.reserve(bytes); }

private:
    std::vector<uint8_t> bytes_;
    int64_t position_ = 0;
};
