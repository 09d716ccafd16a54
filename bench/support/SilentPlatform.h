#pragma once
// A Platform for benchmarks: every box answers OK, every chooser is cancelled.

#include "model/Platform.h"

namespace kestrel::bench {

class SilentPlatform : public Platform {
public:
    Answer Message(const std::string&, const std::string&, Buttons, Icon) override { return Answer::Ok; }
    std::string OpenFile(const std::string&, const std::string&) override { return {}; }
    std::vector<std::string> OpenFiles(const std::string&, const std::string&) override { return {}; }
    std::string SaveFile(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> PictureProblem(const std::string&) override { return std::nullopt; }
};

}  // namespace kestrel::bench
