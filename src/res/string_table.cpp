#include "res/string_table.h"

#include "res/resource_ids.h"

namespace somvix {

std::string LoadResourceString(int id) {
    switch (id) {
        case ID_DOWNLOAD:
            return "Descarga datos";
        case ID_OPEN_BUTTON:
            return "Abrir Archivo";
        default:
            return {};
    }
}

}  // namespace somvix
