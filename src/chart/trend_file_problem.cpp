#include "chart/trend_file_problem.h"

#include <filesystem>
#include <system_error>

namespace somvix {

TrendFileProblem DiagnoseTrendFile(const std::string& pathName, int readResult, int nSamples) {
    if (readResult == 0) {
        return nSamples > 0 ? TrendFileProblem::None : TrendFileProblem::NoSamples;
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(pathName, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return TrendFileProblem::Missing;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return TrendFileProblem::Folder;
    }
    return TrendFileProblem::Unreadable;
}

std::string TrendFileProblemText(TrendFileProblem problem, const std::string& pathName) {
    switch (problem) {
        case TrendFileProblem::None:
            return {};
        case TrendFileProblem::Missing:
            return "No existe el archivo de tendencias " + pathName;
        case TrendFileProblem::Folder:
            return pathName + " es una carpeta, no un archivo de tendencias";
        case TrendFileProblem::Unreadable:
            return "No se puede leer el archivo de tendencias " + pathName;
        case TrendFileProblem::NoSamples:
            return "El archivo de tendencias " + pathName + " no contiene ninguna muestra";
    }
    return {};
}

}  // namespace somvix
