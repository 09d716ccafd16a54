#include "storage/OpenCommand.h"

#include "model/Error.h"

namespace kestrel {
void btnOpenPrjClick(Editor&) { throw Error("Opening is not built yet."); }
}  // namespace kestrel
