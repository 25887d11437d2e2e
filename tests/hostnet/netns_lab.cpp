#include "hostnet/netns_lab.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

#include "hostnet/command_runner.h"
#include "support/simulator_process.h"
#include "support/temp_dir.h"

namespace somvix::test {

namespace {

// "ip" says nothing when a change succeeds.
bool IpQuietly(const std::string& nameSpace, const std::string& arguments, std::string& why) {
    const std::string output = NetnsLab::Ip(nameSpace, arguments);
    if (!output.empty()) {
        why = "ip " + arguments + ": " + output;
        return false;
    }
    return true;
}

}  // namespace

NetnsLab::NetnsLab() {
    const std::string id = std::to_string(::getpid());
    m_strMonitorNamespace = "somvix-mon-" + id;
    m_strPcNamespace = "somvix-pc-" + id;
    m_strMonitorInterface = "svm" + id;  // at most 3 + 7 digits: within 15 bytes
    m_strPcInterface = "svp" + id;
}

std::unique_ptr<NetnsLab> NetnsLab::Make(std::string& whyNot) {
    if (::geteuid() != 0) {
        whyNot = "network namespaces need root";
        return nullptr;
    }
    std::unique_ptr<NetnsLab> lab(new NetnsLab());
    if (!lab->Build(whyNot)) {
        return nullptr;  // what was made is removed by the destructor
    }
    return lab;
}

bool NetnsLab::Build(std::string& whyNot) {
    if (!IpQuietly("", "netns add " + m_strMonitorNamespace, whyNot)) {
        whyNot = "this machine does not allow network namespaces (" + whyNot + ")";
        return false;
    }
    m_bMonitorMade = true;
    if (!IpQuietly("", "netns add " + m_strPcNamespace, whyNot)) {
        return false;
    }
    m_bPcMade = true;
    // The link is made inside the monitor's namespace, so that it never exists on the host.
    return IpQuietly(m_strMonitorNamespace,
                     "link add " + m_strMonitorInterface + " type veth peer name " +
                         m_strPcInterface + " netns " + m_strPcNamespace,
                     whyNot) &&
           IpQuietly(m_strMonitorNamespace, "link set lo up", whyNot) &&
           IpQuietly(m_strPcNamespace, "link set lo up", whyNot) &&
           IpQuietly(m_strMonitorNamespace, "addr add 10.8.0.1/24 dev " + m_strMonitorInterface,
                     whyNot) &&
           IpQuietly(m_strMonitorNamespace, "link set " + m_strMonitorInterface + " up", whyNot) &&
           IpQuietly(m_strPcNamespace, "link set " + m_strPcInterface + " up", whyNot);
}

NetnsLab::~NetnsLab() {
    // The veth link goes with its namespaces.
    if (m_bPcMade) {
        Ip("", "netns del " + m_strPcNamespace);
    }
    if (m_bMonitorMade) {
        Ip("", "netns del " + m_strMonitorNamespace);
    }
}

std::string NetnsLab::Ip(const std::string& nameSpace, const std::string& arguments) {
    return RunCommand("ip", (nameSpace.empty() ? "" : "-n " + nameSpace + " ") + arguments);
}

std::string NetnsLab::PcAddresses() const {
    return Ip(m_strPcNamespace, "-4 addr show dev " + m_strPcInterface);
}

bool NetnsLab::NamespaceExists(const std::string& nameSpace) {
    return ::access(("/run/netns/" + nameSpace).c_str(), F_OK) == 0;
}

bool NetnsLab::RunInNamespace(const std::string& nameSpace, const std::function<void()>& work) {
    bool entered = false;
    std::thread worker([&] {
        const int fd = ::open(("/run/netns/" + nameSpace).c_str(), O_RDONLY | O_CLOEXEC);
        entered = fd >= 0 && ::setns(fd, CLONE_NEWNET) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        if (entered) {
            work();
        }
    });
    worker.join();
    return entered;
}

bool NetnsLab::ShapeLink(int megabitsPerSecond, std::chrono::microseconds oneWayDelay,
                         bool& delayed, std::string& why) const {
    const std::string bucket =
        "tbf rate " + std::to_string(megabitsPerSecond) + "mbit burst 32kbit latency 50ms";
    const std::string netem = "netem delay " + std::to_string(oneWayDelay.count()) + "us";
    const std::pair<std::string, std::string> ends[] = {
        {m_strMonitorNamespace, m_strMonitorInterface}, {m_strPcNamespace, m_strPcInterface}};
    // netem at the root with the token bucket below it where the kernel has netem; else the
    // bucket alone on both ends.
    delayed = true;
    for (const auto& [nameSpace, interfaceName] : ends) {
        const std::string qdisc = "-n " + nameSpace + " qdisc add dev " + interfaceName;
        delayed = delayed && RunCommand("tc", qdisc + " root handle 1: " + netem).empty();
        const std::string output =
            RunCommand("tc", qdisc + (delayed ? " parent 1: handle 2: " : " root ") + bucket);
        if (!output.empty()) {
            why = "tc " + qdisc + ": " + output;
            return false;
        }
    }
    return true;
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& arguments,
                                     const std::filesystem::path& outputFile)
    : m_pid(StartProgram(arguments.front(), {arguments.begin() + 1, arguments.end()}, outputFile)) {
}

BackgroundProcess::~BackgroundProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        EndWithin(m_pid, 2000);
    }
}

bool WaitForText(const std::filesystem::path& file, const std::string& text) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (ReadFileBytes(file).find(text) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::vector<std::string> InNamespace(const std::string& nameSpace,
                                     std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"ip", "netns", "exec", nameSpace});
    return arguments;
}

}  // namespace somvix::test
