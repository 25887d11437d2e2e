#pragma once

namespace somvix {

// The three display settings that decide which zones of a recording the chart hides.
struct DisplaySettings {
    int m_nBadElectrodeThreshold = 5;  // impedance from which an electrode counts as bad
    int m_bShowBadContact = 1;         // 0: hide the zones with a bad electrode
    int m_bShowImpedanceOff = 1;       // 0: hide the zones where impedance measurement was off
};

}  // namespace somvix
