#include <algorithm>
#include <array>

#include "app/device_commands.h"
#include "hostnet/connection_kinds.h"
#include "settings/dialogs/comm_options_dlg.h"

namespace somvix {

void CDeviceCommands::OnCommOptions() {
    const std::array<std::string, 2> kinds = g_connectionKinds;
    std::size_t longest = 0;
    for (const std::string& kind : kinds) {
        longest = std::max(longest, kind.size());
    }

    CCommOptionsDlg dlg(m_pMainWindow);
    dlg.m_pszKinds = kinds.data();
    dlg.m_nKinds = static_cast<int>(kinds.size());
    dlg.m_nKindTextSize = static_cast<int>(longest) + 1;
    dlg.m_kind = m_hostAddress.m_connectionKind;
    dlg.m_strHost = m_hostAddress.m_strHostName;
    if (dlg.DoModal() != QDialog::Accepted) {
        return;
    }
    m_hostAddress.m_connectionKind = dlg.m_kind;
    // The host name is kept while the cable is chosen, for a later return to "LAN".
    if (dlg.m_kind == ConnectionKind::Lan) {
        m_hostAddress.m_strHostName = dlg.m_strHost;
    }
}

}  // namespace somvix
