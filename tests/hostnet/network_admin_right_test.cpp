#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <signal.h>
#include <sys/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "hostnet/netns_lab.h"
#include "hostnet/network_admin_right.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

namespace fs = std::filesystem;
using test::NetnsLab;

const std::string BIN_DIR = SOMVIX_BIN_DIR;
constexpr uid_t NOBODY = 65534;
constexpr gid_t NOGROUP = 65534;
// Tools a cable adaptation could start; a fake of each, first in PATH, notes its capabilities
// should it ever be started.
const char* const FAKE_TOOLS[] = {"ip", "networkctl"};

// What an administrator does with `setcap TEXT PROGRAM`.
bool GiveFileCapability(const fs::path& program, const char* text, std::string& why) {
    cap_t capabilities = cap_from_text(text);
    const bool given = capabilities != nullptr && cap_set_file(program.c_str(), capabilities) == 0;
    if (!given) {
        why = std::string("this file system takes no file capabilities: ") + std::strerror(errno);
    }
    cap_free(capabilities);
    return given;
}

std::vector<char*> Pointers(std::vector<std::string>& items) {
    std::vector<char*> pointers;
    for (std::string& item : items) {
        pointers.push_back(item.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Runs the program as nobody in the network namespace, with only the environment given and its
// output going to the file; waits for it boundedly (60 s) and ends it after that.
void RunAsNobody(const std::string& nameSpace, std::vector<std::string> arguments,
                 std::vector<std::string> environment, const fs::path& outputFile) {
    // Everything is made before the fork: the child of a process with threads only makes
    // system calls.
    const std::string namespaceFile = "/run/netns/" + nameSpace;
    const std::vector<char*> argv = Pointers(arguments);
    const std::vector<char*> envp = Pointers(environment);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int net = ::open(namespaceFile.c_str(), O_RDONLY | O_CLOEXEC);
        const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        const int out = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (net < 0 || in < 0 || out < 0 || ::setns(net, CLONE_NEWNET) != 0 ||
            ::dup2(in, STDIN_FILENO) < 0 || ::dup2(out, STDOUT_FILENO) < 0 ||
            ::dup2(out, STDERR_FILENO) < 0 || ::setgroups(0, nullptr) != 0 ||
            ::setgid(NOGROUP) != 0 || ::setuid(NOBODY) != 0) {
            ::_exit(126);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ASSERT_GT(pid, 0);
    for (int wait = 0; wait < 6000; ++wait) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ADD_FAILURE() << "the program did not end within 60 s";
}

// An ordinary user runs the program that an administrator gave the right, with fake tools first
// in PATH. The address must still come and go, through the right, and no fake tool may start.
// The right in force from the start (+ep, as once advised) or only where the program raises it
// (+p).
TEST(NetworkAdminRight, ReachesNoToolThatTheCallersPathChooses) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "skipped: giving a program file the right and running it as nobody "
                        "need root";
    }
    std::string why;
    const std::unique_ptr<NetnsLab> lab = NetnsLab::Make(why);
    if (lab == nullptr) {
        GTEST_SKIP() << "skipped: " << why;
    }
    for (const char* capability : {"cap_net_admin+ep", "cap_net_admin+p"}) {
        SCOPED_TRACE(capability);
        const test::TempDir work;
        fs::permissions(work.Path(), fs::perms::all, fs::perm_options::add);
        const fs::path program = work.Path() / "somvixmn-cli";
        fs::copy_file(BIN_DIR + "/somvixmn-cli", program);
        if (!GiveFileCapability(program, capability, why)) {
            GTEST_SKIP() << "skipped: " << why;
        }
        const fs::path fakes = work.Path() / "fake-tools";
        fs::create_directory(fakes);
        for (const char* tool : FAKE_TOOLS) {
            test::WriteFileBytes(fakes / tool, "#!/bin/sh\ngrep CapEff /proc/self/status >> " +
                                                   (work.Path() / tool).string() + ".ran\n");
            fs::permissions(fakes / tool,
                            fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        }
        const fs::path download = work.Path() / "download";
        const fs::path records = work.Path() / "records";
        for (const fs::path& folder : {download, records}) {
            fs::create_directory(folder);
            ASSERT_EQ(::chown(folder.c_str(), NOBODY, NOGROUP), 0);
        }

        const fs::path outputFile = work.Path() / "output";
        RunAsNobody(lab->PcNamespace(),
                    {program.string(), "download", download.string(), "--cable", "--interface",
                     lab->PcInterface(), "--records-dir", records.string()},
                    {"PATH=" + fakes.string() + ":/usr/sbin:/usr/bin:/sbin:/bin",
                     "HOME=" + work.Path().string(),
                     // A program holding a file capability cannot be inspected by the leak
                     // checker of a sanitizer build.
                     "ASAN_OPTIONS=detect_leaks=0"},
                    outputFile);
        for (const char* tool : FAKE_TOOLS) {
            EXPECT_EQ(test::ReadFileBytes(work.Path() / (std::string(tool) + ".ran")), "")
                << "a fake " << tool << " from PATH was started";
        }
        const std::string output = test::ReadFileBytes(outputFile);
        EXPECT_NE(output.find("Restaurando configuración de red ..."), std::string::npos) << output;
        EXPECT_EQ(lab->PcAddresses().find("10.8.0.2"), std::string::npos) << lab->PcAddresses();
    }
}

bool NetworkAdminPermitted() {
    cap_t capabilities = cap_get_proc();
    cap_flag_value_t permitted = CAP_CLEAR;
    cap_get_flag(capabilities, CAP_NET_ADMIN, CAP_PERMITTED, &permitted);
    cap_free(capabilities);
    return permitted == CAP_SET;
}

// On a thread of its own that becomes nobody keeping its capabilities, as a program file's
// capability leaves an ordinary user's process; root keeps the right.
TEST(GiveUpGrantedNetworkAdminRight, OnlyAnOrdinaryUsersProcessGivesItUp) {
    if (::geteuid() != 0 || !NetworkAdminPermitted()) {
        GTEST_SKIP() << "skipped: needs root with the network-admin right";
    }
    for (const bool asNobody : {false, true}) {
        bool before = false;
        bool after = true;
        std::thread([&] {
            // The raw call changes this thread's user only.
            if (asNobody && (::prctl(PR_SET_KEEPCAPS, 1, 0, 0, 0) != 0 ||
                             ::syscall(SYS_setresuid, NOBODY, NOBODY, NOBODY) != 0)) {
                return;
            }
            before = NetworkAdminPermitted();
            GiveUpGrantedNetworkAdminRight();
            after = NetworkAdminPermitted();
        }).join();
        EXPECT_TRUE(before) << asNobody;
        EXPECT_EQ(after, !asNobody);
    }
}

}  // namespace
}  // namespace somvix
