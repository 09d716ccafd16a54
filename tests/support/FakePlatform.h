#pragma once
// A scripted Platform for core tests: records every message and hands out queued
// answers and file choices (an empty queue answers No, Ok or "cancelled").

#include <deque>
#include <string>
#include <vector>

#include "model/Platform.h"

namespace kestrel::test {

struct RecordedMessage {
    std::string caption;
    std::string text;
    Buttons buttons;
    Icon icon;
};

class FakePlatform : public Platform {
public:
    std::vector<RecordedMessage> messages;
    std::deque<Answer> answers;
    std::deque<std::string> openFiles;
    std::deque<std::vector<std::string>> openFileLists;
    std::deque<std::string> saveFiles;
    std::vector<std::string> pictureProblems;  // paths that cannot be shown

    Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                   Icon icon) override {
        messages.push_back({caption, text, buttons, icon});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string OpenFile(const std::string&, const std::string&) override { return Pop(openFiles); }
    std::vector<std::string> OpenFiles(const std::string&, const std::string&) override {
        if (openFileLists.empty()) return {};
        auto files = openFileLists.front();
        openFileLists.pop_front();
        return files;
    }
    std::string SaveFile(const std::string&, const std::string&) override { return Pop(saveFiles); }
    std::optional<std::string> PictureProblem(const std::string& path) override {
        for (const auto& p : pictureProblems)
            if (p == path) return "cannot be shown";
        return std::nullopt;
    }

private:
    static std::string Pop(std::deque<std::string>& q) {
        if (q.empty()) return {};
        std::string s = q.front();
        q.pop_front();
        return s;
    }
};

}  // namespace kestrel::test
