#include "model/Editor.h"

#include "model/Paths.h"

namespace kestrel {

// The project is made in the body: its markers take the image size from Panel, which
// is declared after Prj and so is not yet set up in the member initialisers.
Editor::Editor(Platform& p) : platform(p) {
    Prj = NewProject();
    Prj->PrjDir = ProgramFolder();
    Edits.Reset(*Prj);
}

std::unique_ptr<Project> Editor::NewProject() const {
    auto prj = std::make_unique<Project>();
    ResetProjectRecords(*prj, Panel.ImgWidth(), Panel.ImgHeight());
    return prj;
}

}  // namespace kestrel
