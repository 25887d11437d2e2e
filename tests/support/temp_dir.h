#pragma once

#include <filesystem>
#include <string>

namespace somvix::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Makes another folder the current one for its lifetime.
class OtherCurrentDirectory {
public:
    explicit OtherCurrentDirectory(const std::filesystem::path& folder)
        : m_saved(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~OtherCurrentDirectory() { std::filesystem::current_path(m_saved); }
    OtherCurrentDirectory(const OtherCurrentDirectory&) = delete;
    OtherCurrentDirectory& operator=(const OtherCurrentDirectory&) = delete;

private:
    std::filesystem::path m_saved;
};

// Whole contents of a file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace somvix::test
