// Unpacking the resource archive into the support folder with zor.lib.
#include "engine/media/zor_wrapper.h"
#include "engine/startup/win/phases.h"

namespace zk::startup {

bool UnpackResourceArchive(EngineContext& context) {
    std::string error;
    // The whole archive, no password, folders kept, existing files replaced.
    return media::ZorExtract(context.resourceArchive, "", context.supportFolder, media::ZorCallbacks{}, nullptr,
                             true, true, error);
}

} // namespace zk::startup
