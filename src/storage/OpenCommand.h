#pragma once
// The Open command.

#include "model/Editor.h"

namespace kestrel {

void btnOpenPrjClick(Editor& ed);

}  // namespace kestrel
