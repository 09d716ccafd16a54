// Placeholders until the storage work lands; each goes when its real file comes.
#include "model/Error.h"
#include "storage/PrjFileReader.h"
#include "storage/ProjectFolder.h"
#include "storage/ProjectSaver.h"

namespace kestrel {
void RefreshFileList(Editor&) {}
void TBtnSavePrjClick(Editor&) { throw Error("Saving is not built yet."); }
void Saveas1Click(Editor&) { throw Error("Saving is not built yet."); }
void SavePrjClick(Editor&) { throw Error("Saving is not built yet."); }
void ReadPrjFile(Project&) { throw Error("Reading is not built yet."); }
}  // namespace kestrel
