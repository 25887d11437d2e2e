#include <dlfcn.h>

#include "cli/charts_png_loader.h"
#include "shared/program_dir.h"

namespace somvix {

WriteChartsPngFunction LoadChartsPngWriter(std::string& problem) {
    const std::filesystem::path module =
        ProgramDirectory().parent_path() / "libexec" / "somvixmn" / "somvixmn-png.so";
    // A full path, so the loader's own search (LD_LIBRARY_PATH and the like) plays no part in
    // which file is taken.
    void* const handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = dlerror();
        problem = error != nullptr ? error : module.string();
        return nullptr;
    }
    auto* const entry = reinterpret_cast<WriteChartsPngFunction>(dlsym(handle, CHARTS_PNG_ENTRY));
    if (entry == nullptr) {
        problem = module.string() + ": no " + CHARTS_PNG_ENTRY;
    }
    return entry;
}

}  // namespace somvix
