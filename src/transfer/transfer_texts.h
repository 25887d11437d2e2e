#pragma once

#include <string>

// Every text the download and the erase show the user, in the window and on the terminal alike.
// Names from the monitor are code page 1252 and are converted where they enter a text.

namespace somvix {

// The status line, in the order a run shows them.
inline constexpr const char* STATUS_ADAPTING = "Adaptando configuración de red ...";
inline constexpr const char* STATUS_CONNECTING = "Conectando...";
inline constexpr const char* STATUS_AUTHENTICATING = "Autenticando...";
inline constexpr const char* STATUS_LOADING_LIST = "Cargando lista de archivos...";
inline constexpr const char* STATUS_EMPTYING = "Vaciando...";
inline constexpr const char* STATUS_DISCONNECTING = "Desconectando ...";

// The status line for one monitoring or a refused monitor name.
std::string LoadingMonitoringStatus(const std::string& monitoringName);
std::string ErasingMonitoringStatus(const std::string& monitoringName);
std::string RefusedNameStatus(const std::string& shownName);

// The questions, by which the command line's answer flags find them too.
inline constexpr const char* ERASE_CONTINUE_QUESTION = "¿Desea continuar?";
inline constexpr const char* ERASE_DOWNLOAD_QUESTION = "¿Descargar datos antes de eliminar?";
inline constexpr const char* DOWNLOAD_REPLACE_QUESTION = "¿Desea reemplazarlos?";
inline constexpr const char* ERASE_REPLACE_QUESTION = "¿Desea reemplazarlos antes de eliminar?";

// The statements of the questions. monitorName is already UTF-8 (the monitor's name converted,
// or the host name the user typed); the other names are the monitor's.
std::string EraseStatement(const std::string& monitorName);
std::string NoCopyStatement(const std::string& monitoringName, const std::string& deviceName);
std::string IncompleteDownloadStatement(const std::string& monitoringName,
                                        const std::string& deviceName);

// Message boxes within a run; "%s" is the monitoring name.
inline constexpr const char* ERROR_CAPTION = "Error";
inline constexpr const char* DOWNLOAD_REMOVAL_FAILED = "Error descargando datos de %s!";
inline constexpr const char* ERASE_REMOVAL_FAILED =
    "Error descargando datos de %s. No se eliminan datos.";
inline constexpr const char* ERASE_REFUSED = "Error eliminando datos de %s.";

// The final messages of the commands.
inline constexpr const char* DOWNLOAD_COMPLETED_TEXT = "Descarga de datos completada";
inline constexpr const char* DOWNLOAD_FAILED_TEXT = "Error en descarga de datos";
inline constexpr const char* DOWNLOAD_CANCELLED_TEXT = "Descarga de datos cancelada";
inline constexpr const char* DOWNLOAD_COMPLETED_CAPTION = "Fin descarga";
inline constexpr const char* ERASE_COMPLETED_TEXT = "Vaciado de datos completado";
inline constexpr const char* ERASE_FAILED_TEXT = "Error vaciado de datos";
inline constexpr const char* ERASE_CANCELLED_TEXT = "Vaciado de datos cancelado";
inline constexpr const char* ERASE_COMPLETED_CAPTION = "Fin vaciado";

// The name in capital letters, as the question about a monitoring without a copy shows it.
std::string CapitalLetters(const std::string& name);

}  // namespace somvix
