// Feeds arbitrary bytes to the project file reader. Whatever it accepts must write and
// read back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "model/Error.h"
#include "storage/PrjFileReader.h"
#include "storage/PrjFileWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrel;
    auto prj = std::make_unique<Project>();
    prj->PrjDir = "/prj/";
    try {
        ReadPrjData(*prj, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.XML");
    } catch (const Error&) {
        return 0;
    }
    // Written once, the project must survive a second round unchanged.
    std::string first = PrjFileText(*prj);
    auto again = std::make_unique<Project>();
    again->PrjDir = "/prj/";
    try {
        ReadPrjData(*again, first, "first.XML");
    } catch (const Error&) {
        std::abort();  // the writer produced a file its reader refuses
    }
    if (PrjFileText(*again) != first) std::abort();
    return 0;
}
