#include "model/Editor.h"

#include "model/Paths.h"

namespace kestrel {

Editor::Editor(Platform& p) : platform(p), Prj(NewProject()) { Prj->PrjDir = ProgramFolder(); }

std::unique_ptr<Project> Editor::NewProject() const {
    auto prj = std::make_unique<Project>();
    ResetProjectRecords(*prj, Panel.ImgWidth(), Panel.ImgHeight());
    return prj;
}

}  // namespace kestrel
