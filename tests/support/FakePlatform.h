#pragma once
// A scripted Platform for core tests: records every message and hands out queued
// answers and file choices (an empty queue answers Ok / cancels the chooser).

#include <deque>
#include <string>
#include <vector>

#include "model/Platform.h"

namespace kestrel {

class FakePlatform : public Platform {
public:
    struct Msg {
        std::string caption, text;
        Buttons buttons;
        Icon icon;
    };
    std::vector<Msg> messages;
    std::deque<Answer> answers;
    std::deque<std::vector<std::string>> fileChoices;
    std::vector<std::string> openDirs;  // initial folders the choosers were given
    std::vector<std::string> filters;

    Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                   Icon icon) override {
        messages.push_back({caption, text, buttons, icon});
        if (answers.empty()) return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string OpenFile(const std::string& filter, const std::string& dir) override {
        auto v = OpenFiles(filter, dir);
        return v.empty() ? std::string() : v.front();
    }
    std::vector<std::string> OpenFiles(const std::string& filter, const std::string& dir) override {
        filters.push_back(filter);
        openDirs.push_back(dir);
        if (fileChoices.empty()) return {};
        auto v = fileChoices.front();
        fileChoices.pop_front();
        return v;
    }
    std::string SaveFile(const std::string& filter, const std::string& dir) override {
        return OpenFile(filter, dir);
    }
    std::optional<std::string> PictureProblem(const std::string&) override { return std::nullopt; }

    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (auto& m : messages) t.push_back(m.text);
        return t;
    }
};

}  // namespace kestrel
