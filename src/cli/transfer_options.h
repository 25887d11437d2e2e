#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/cli_operation_ui.h"
#include "device/device_connection.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "transfer/transfer_settings.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace somvix {

struct CliContext;

// What one run of a device verb works with.
struct CliDeviceSetup {
    HostAddressState hostAddress;
    std::unique_ptr<HostAdaptation> adaptation;
    TransferSettings settings;
};

// Declares the verb's FOLDER, the download folder. An empty text is a usage error: it would
// stand for the root of the file system.
void AddFolderArgument(CLI::App& verb, std::string& folder);

// The options every device verb shares: how the monitor is reached and where the records live.
//   --lan HOST      connection kind 1, the monitor at HOST
//   --cable         connection kind 0 (the default), the monitor at 10.8.0.1
//   --interface IF  the wired adapter the cable kind gives 10.8.0.2 (default: the platform's)
//   --port N        the monitor's port instead of 20248
//   --records-dir   the folder of the downloaded list and the logs (default: the program's)
//   --verbose       each command sent and the size of its reply on standard error
//   --quiet         nothing on standard error; only the final line
//   --json          the result as one JSON object on standard output
class CliTransferOptions {
public:
    void Register(CLI::App& verb);

    Verbosity GetVerbosity() const;
    bool WantsJson() const { return m_bJson; }

    // The host address state for the chosen kind and host name, the adaptation of this
    // platform, the records folder and the port; 0, or the exit status after a message when the
    // records folder is the program's data folder and there is none.
    int MakeSetup(CliDeviceSetup& setup, CliContext& context) const;

private:
    std::string m_strLanHost;
    CLI::Option* m_pLanOption = nullptr;
    bool m_bCable = false;
    std::uint16_t m_nPort = DEVICE_PORT;
    std::filesystem::path m_strRecordsDir;
    // The wired adapter of the cable kind (empty: the platform's choice).
    std::string m_strInterface;
    bool m_bVerbose = false;
    bool m_bQuiet = false;
    bool m_bJson = false;
};

}  // namespace somvix
