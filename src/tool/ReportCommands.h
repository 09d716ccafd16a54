#pragma once
// The commands of kestrel-tool that report on a project: check, schedule and render.

#include <memory>
#include <string>

#include "model/Project.h"

namespace kestrel::tool {

// Reads a project file as the editor opens it; throws when it cannot.
using ProjectReader = std::unique_ptr<Project> (*)(const std::string& file);

bool IsReportCommand(const std::string& command);

// Runs argv[1] on argv[2]; returns the exit status: 0 done (for check: no error or
// warning), 1 the project cannot be read, 2 wrong use (usage on stderr), 4 check found
// errors or warnings.
int RunReportCommand(int argc, char** argv, const char* usage, ProjectReader read);

}  // namespace kestrel::tool
