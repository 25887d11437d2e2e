#include "app/client_area.h"
#include "app/main_dlg.h"

namespace somvix {

// FIXME: replaced by the recording's zone hiding
void CMainDlg::ApplyZoneHiding() {
    m_wndClient->update();
}

}  // namespace somvix
