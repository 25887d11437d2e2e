#include "app/main_dlg.h"
#include "settings/dialogs/graph_options_dlg.h"
#include "settings/dialogs/thresholds_dlg.h"
#include "settings/settings_file.h"

namespace somvix {

void CMainDlg::ReadSettings() {
    LoadSettingsAtStartUp(m_strSettingsPath, m_settings);
}

void CMainDlg::WriteSettings() {
    // A file that cannot be written is left as it is; the settings in memory hold for the run.
    WriteSettingsFile(m_strSettingsPath, m_settings);
}

void CMainDlg::OnThresholds() {
    CThresholdsDlg dlg(this);
    dlg.m_nThreshold = m_settings.m_nBadElectrodeThreshold;
    if (dlg.DoModal() != QDialog::Accepted) {
        return;
    }
    m_settings.m_nBadElectrodeThreshold = dlg.m_nThreshold;
    WriteSettings();
    m_recordingView.ApplyZoneHiding();
}

void CMainDlg::OnGraphOptions() {
    CGraphOptionsDlg dlg(this);
    dlg.m_bHideBadElectrodes = m_settings.m_bShowBadContact == 0 ? 1 : 0;
    dlg.m_bHideInactiveImpedance = m_settings.m_bShowImpedanceOff == 0 ? 1 : 0;
    if (dlg.DoModal() != QDialog::Accepted) {
        return;
    }
    m_settings.m_bShowBadContact = dlg.m_bHideBadElectrodes == 0 ? 1 : 0;
    m_settings.m_bShowImpedanceOff = dlg.m_bHideInactiveImpedance == 0 ? 1 : 0;
    WriteSettings();
    m_recordingView.ApplyZoneHiding();
}

}  // namespace somvix
