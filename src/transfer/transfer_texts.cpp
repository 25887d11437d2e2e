#include "transfer/transfer_texts.h"

#include "shared/code_page_text.h"

namespace somvix {

std::string LoadingMonitoringStatus(const std::string& monitoringName) {
    return "Cargando datos " + Utf8From1252(monitoringName) + " ...";
}

std::string ErasingMonitoringStatus(const std::string& monitoringName) {
    return "Eliminando datos " + Utf8From1252(monitoringName) + " ...";
}

std::string RefusedNameStatus(const std::string& shownName) {
    return "Nombre no válido recibido del monitor: \"" + Utf8From1252(shownName) + "\"";
}

std::string EraseStatement(const std::string& monitorName) {
    return "Se eliminarán todos los datos de monitorizaciones en el monitor  " + monitorName;
}

std::string NoCopyStatement(const std::string& monitoringName, const std::string& deviceName) {
    return "No existen datos de " + Utf8From1252(CapitalLetters(monitoringName)) + "-" +
           Utf8From1252(deviceName) + " en su PC";
}

std::string IncompleteDownloadStatement(const std::string& monitoringName,
                                        const std::string& deviceName) {
    return "Se han encontrado datos de la monitorización " + Utf8From1252(monitoringName) + "-" +
           Utf8From1252(deviceName) + ", de una descarga previa aparentemente incompleta.";
}

std::string CapitalLetters(const std::string& name) {
    std::string capitals = name;
    for (char& character : capitals) {
        // Letters of other scripts stay as they are: the name's bytes are not decoded.
        if (character >= 'a' && character <= 'z') {
            character = static_cast<char>(character - 'a' + 'A');
        }
    }
    return capitals;
}

}  // namespace somvix
