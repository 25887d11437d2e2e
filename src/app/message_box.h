#pragma once

#include <string>

#include "shared/operation_ui.h"

class QWidget;

namespace somvix {

// A modal message box with one OK button, an explicit caption and an icon, owned by parent.
void ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                    MessageIcon icon);
// The same with the detail (why it failed, what was done) under the text; none when empty.
void ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                    MessageIcon icon, const std::string& detail);

}  // namespace somvix
