// The only file of the front end that calls the library's C interface.
#include "frontend/library/library_exports.h"

#include <memory>

#include "vexlib/exports.h"

namespace {

// An exported function reached until the library is finalised.
template <typename Result, typename... Params>
std::function<Result(Params...)> UntilFinalised(Result (*exported)(Params...),
                                                std::shared_ptr<const bool> finalised) {
    return [exported, finalised](Params... params) -> Result {
        if (*finalised) return Result();
        return exported(params...);
    };
}

}  // namespace

LibraryExports TheLibrarysExports() {
    auto finalised = std::make_shared<bool>(false);
    LibraryExports exports;
#define VEX_EXPORT(result, name, parameters) exports.name = UntilFinalised(&::name, finalised);
#define VEX_EXPORT_CPP(result, name, parameters, decorated) VEX_EXPORT(result, name, parameters)
#include "vexlib/export_list.h"
#undef VEX_EXPORT
#undef VEX_EXPORT_CPP
    exports.FinalizaD3D = [finalize = exports.FinalizaD3D, finalised] {
        finalize();
        *finalised = true;
    };
    // A scene asked for after the end is refused, not made.
    exports.IniciarD3D = [start = exports.IniciarD3D, finalised](void* window, void* instance,
                                                                int width, int height, int flag,
                                                                int language) {
        return *finalised ? -1 : start(window, instance, width, height, flag, language);
    };
    return exports;
}
