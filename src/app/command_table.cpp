#include "app/command_table.h"

#include "res/resource_ids.h"

namespace somvix {

const std::vector<MenuItem>& MainMenuItems() {
    // "Monitor" offers the device commands; the download has a toolbar button too.
    static const std::vector<MenuItem> items = {
        {QStringLiteral("Archivo"), QStringLiteral("Abrir..."), ID_OPEN_RECORDING},
        {QStringLiteral("Opciones"), QStringLiteral("Configuración de gráficos"), ID_GRAPH_OPTIONS},
        {QStringLiteral("Opciones"), QStringLiteral("Umbrales"), ID_THRESHOLDS},
        {QStringLiteral("Monitor"), QStringLiteral("Descargar datos"), ID_DOWNLOAD},
        {QStringLiteral("Monitor"), QStringLiteral("Vaciar monitor..."), ID_ERASE},
        {QStringLiteral("Monitor"), QStringLiteral("Ver contenido del monitor..."),
         ID_MONITOR_CONTENTS},
        {QStringLiteral("Monitor"), QStringLiteral("Opciones de comunicación..."), ID_COMM_OPTIONS},
        {QStringLiteral("Ayuda"), QStringLiteral("Acerca del programa..."), ID_ABOUT},
    };
    return items;
}

const std::vector<int>& ToolbarCommands() {
    static const std::vector<int> commands = {ID_OPEN_BUTTON, ID_DOWNLOAD};
    return commands;
}

}  // namespace somvix
