#pragma once
// A small tmpfs file system mounted for one test, as a real full disk or
// read-only medium is: the kernel refuses the writes, whoever asks. Mounting
// needs root, as the tests run in CI. It is unmounted however the test ends.
#include <cstdint>
#include <string>

class TestMount {
public:
    // Makes the folder (a Unix path) and mounts a tmpfs of the given size on it.
    TestMount(const std::string& folder, int64_t bytes);
    // Unmounts it, waiting a little while programs let go of it.
    ~TestMount();
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    // Whether the mount succeeded; why not otherwise.
    bool Mounted() const { return mounted_; }
    const std::string& Error() const { return error_; }
    const std::string& Folder() const { return folder_; }

    // Fills the file system with a file "filler" until only `bytes` are free.
    bool LeaveFree(int64_t bytes);
    // Frees what LeaveFree took.
    void RemoveFiller();
    // From now on nothing can be written to it.
    bool MakeReadOnly();

private:
    std::string folder_;
    std::string error_;
    bool mounted_ = false;
};
