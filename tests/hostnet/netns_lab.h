#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace somvix::test {

// Two network namespaces of this test joined by a veth link, the monitor's end at 10.8.0.1/24
// and the PC's end up without an address: the crossed cable of the monitor, on this machine.
// Names carry the process id, so parallel tests do not meet. Everything is removed when the
// object goes, on every way out of a test.
class NetnsLab {
public:
    // The lab, or null with the reason in whyNot (not root, namespaces forbidden here).
    static std::unique_ptr<NetnsLab> Make(std::string& whyNot);
    ~NetnsLab();
    NetnsLab(const NetnsLab&) = delete;
    NetnsLab& operator=(const NetnsLab&) = delete;

    const std::string& MonitorNamespace() const { return m_strMonitorNamespace; }
    const std::string& PcNamespace() const { return m_strPcNamespace; }
    const std::string& MonitorInterface() const { return m_strMonitorInterface; }
    const std::string& PcInterface() const { return m_strPcInterface; }

    // Runs "ip" with the arguments inside a namespace; its output.
    static std::string Ip(const std::string& nameSpace, const std::string& arguments);
    // The PC end's IPv4 addresses as "ip" lists them.
    std::string PcAddresses() const;
    // Whether a namespace of that name exists.
    static bool NamespaceExists(const std::string& nameSpace);
    // Runs the work on a thread of its own inside the namespace (the programs it starts and the
    // sockets it opens are there too). false, without the work, when it could not enter.
    static bool RunInNamespace(const std::string& nameSpace, const std::function<void()>& work);

    // Limits both ends to the rate with a token bucket; adds the one-way delay on both ends with
    // netem where the kernel has it. Returns whether the delay was applied (the rate always is,
    // or the result is false and why says so).
    bool ShapeLink(int megabitsPerSecond, std::chrono::microseconds oneWayDelay, bool& delayed,
                   std::string& why) const;

private:
    NetnsLab();
    bool Build(std::string& whyNot);

    std::string m_strMonitorNamespace;
    std::string m_strPcNamespace;
    std::string m_strMonitorInterface;
    std::string m_strPcInterface;
    bool m_bMonitorMade = false;
    bool m_bPcMade = false;
};

// A program running in the background, with its output going to a file; ended (SIGTERM, then
// SIGKILL after a short grace) and reaped when the object goes.
class BackgroundProcess {
public:
    BackgroundProcess(const std::vector<std::string>& arguments,
                      const std::filesystem::path& outputFile);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

private:
    pid_t m_pid = -1;
};

// Waits, boundedly (5 s), until the file holds the text, as a background program's output file
// says it is ready; false when it does not in time.
bool WaitForText(const std::filesystem::path& file, const std::string& text);

// A child process's command line with the program inside a namespace: ip netns exec NS ...
std::vector<std::string> InNamespace(const std::string& nameSpace,
                                     std::vector<std::string> arguments);

}  // namespace somvix::test
