#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string_view>

// A folder of this process for the files a fuzz target hands to a reader by path. It lies in
// the temporary folder (TMPDIR, which scripts/fuzz points into the build) and is reused by every
// input, so that a run leaves one small folder behind, not one per input.
namespace somvix::fuzz {

inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "somvix-fuzz-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) {
            abort();
        }
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// The monitoring folder "paciente01234" in the scratch folder: its recording is p01234m.htr.
inline const std::filesystem::path& RecordingFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path created = ScratchFolder() / "paciente01234";
        std::filesystem::create_directories(created);
        return created;
    }();
    return folder;
}

inline void WriteScratchFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace somvix::fuzz
