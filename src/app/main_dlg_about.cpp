#include "about/dialogs/about_dlg.h"
#include "app/main_dlg.h"

namespace somvix {

void CMainDlg::OnAbout() {
    CAboutDlg dlg(this);
    dlg.DoModal();
}

}  // namespace somvix
