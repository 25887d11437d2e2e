#pragma once

#include <string>

namespace somvix {

class HostAdaptation;
class OperationUi;
struct HostAddressState;
struct TransferReport;
struct TransferSettings;

// The questions of an erase, by which the command line's answer flags find them. The question
// about an incomplete earlier copy is ERASE_PREPARE_TEXTS.question.
inline constexpr const char* ERASE_CONTINUE_QUESTION = "¿Desea continuar?";
inline constexpr const char* ERASE_DOWNLOAD_QUESTION = "¿Descargar datos antes de eliminar?";

// The final messages of the erase command.
inline constexpr const char* ERASE_COMPLETED_TEXT = "Vaciado de datos completado";
inline constexpr const char* ERASE_FAILED_TEXT = "Error vaciado de datos";
inline constexpr const char* ERASE_CANCELLED_TEXT = "Vaciado de datos cancelado";

// The statement of the first question, naming the monitor (which may be empty).
std::string EraseStatement(const std::string& monitorName);

// The name in capital letters, as the question about a monitoring without a copy shows it.
std::string CapitalLetters(const std::string& name);

// Removes every monitoring from the monitor, one by one. A monitoring that this PC has recorded
// as fetched is removed at once; any other is first downloaded into the folder of path (the
// chosen folder, a separator and a name) if the user wants it, and is sent "DELETE" only once
// its download has been synced and recorded, or after the user declined the download. Records
// what was fetched and what the monitor confirmed erased in the records folder of settings.
// 0 when the run ended in order (also when the monitor held nothing or refused to erase some),
// -1 on any failure, when the monitor refused the login, or when the user cancelled (no
// "DELETE" goes after the cancel). What was fetched and erased and why it failed go to report,
// when one is given.
int EraseMonitorData(const std::string& path, HostAddressState& hostAddress,
                     HostAdaptation& adaptation, OperationUi& ui, const TransferSettings& settings,
                     TransferReport* report = nullptr);

}  // namespace somvix
