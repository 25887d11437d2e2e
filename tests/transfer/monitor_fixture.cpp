#include "transfer/monitor_fixture.h"

namespace somvix::test {

namespace {

// Bytes that differ from file to file, so that a file stored under the wrong name shows.
std::string FileContents(const std::string& file, std::size_t size) {
    std::string contents;
    contents.reserve(size);
    for (std::size_t at = 0; contents.size() < size; ++at) {
        contents += static_cast<char>((file[at % file.size()] * 31 + at * 7) & 0xFF);
    }
    return contents;
}

std::size_t SizeOf(const std::string& file) {
    if (file.ends_with(".htr")) {
        return 1500;
    }
    return file.ends_with(".fhi") ? 40 : 300;
}

}  // namespace

MonitorFolder::MonitorFolder() : m_root(m_folder.Path() / "monitor") {
    std::filesystem::create_directories(m_root);
}

std::vector<std::string> MonitorFolder::FilesOf(const std::string& name) {
    return {name + "a.eeg", name + "b.eeg", HtrFileOf(name),
            name + ".fhi",  name + ".evt",  name + ".imp"};
}

void MonitorFolder::AddMonitoring(const std::string& name) {
    std::filesystem::create_directories(m_root / name);
    for (const std::string& file : FilesOf(name)) {
        WriteFileBytes(m_root / name / file, FileContents(file, SizeOf(file)));
    }
}

std::string MonitorFolder::Original(const std::string& name, const std::string& file) const {
    return ReadFileBytes(m_root / name / file);
}

std::vector<std::string> MonitorFolder::Serving(const std::vector<std::string>& options) const {
    std::vector<std::string> arguments = {"--root", m_root.string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return arguments;
}

int FakeHostAdaptation::AdaptHostAddress(HostAddressState& state, OperationUi* ui) {
    m_calls.emplace_back("adapt");
    m_nCallsWithUi += ui != nullptr ? 1 : 0;
    if (m_nAdaptResult != 0) {
        return m_nAdaptResult;
    }
    state.m_strDeviceAddress =
        state.m_connectionKind == ConnectionKind::Lan ? state.m_strHostName : "127.0.0.1";
    return 0;
}

void FakeHostAdaptation::RestoreHostAddress(HostAddressState& /*state*/, OperationUi* ui) {
    m_calls.emplace_back("restore");
    m_nCallsWithUi += ui != nullptr ? 1 : 0;
}

}  // namespace somvix::test
