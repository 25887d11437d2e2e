#pragma once

namespace somvix {

// Command ids of the main window's menu, toolbar and command table.
enum CommandId : int {
    ID_OPEN_RECORDING = 147,      // menu "Archivo", "Abrir..."
    ID_DOWNLOAD_ALT = 148,        // download, result shown before the status window closes
    ID_ERASE = 149,               // empty the monitor
    ID_DOWNLOAD = 150,            // download every new monitoring
    ID_OPEN_BUTTON = 151,         // toolbar button "Abrir Archivo"
    ID_COMM_OPTIONS = 32779,      // "Opciones de comunicación"
    ID_ABOUT = 32780,             // menu "Ayuda", "Acerca del programa..."
    ID_GRAPH_OPTIONS = 32786,     // menu "Opciones", "Configuración de gráficos"
    ID_THRESHOLDS = 32787,        // menu "Opciones", "Umbrales"
    ID_MONITOR_CONTENTS = 32790,  // menu "Monitor", "Ver contenido del monitor..."
};

// Size of the chart cursor picture "IDB_BMPCURSOR"; only its size is used, for the margins.
inline constexpr int CURSOR_BITMAP_WIDTH = 13;
inline constexpr int CURSOR_BITMAP_HEIGHT = 25;

}  // namespace somvix
