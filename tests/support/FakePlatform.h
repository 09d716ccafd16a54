#pragma once
// A scripted Platform for core tests: records every message, hands out queued
// answers and file choices, and reports picture problems set per path.

#include <deque>
#include <map>

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
    std::deque<Answer> answers;                    // Ok when empty
    std::deque<std::string> fileChoices;           // "" (cancelled) when empty
    std::deque<std::vector<std::string>> multiChoices;
    std::map<std::string, std::string> pictureProblems;
    std::vector<std::pair<std::string, std::string>> chooserCalls;  // filter, folder

    Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                   Icon icon) override {
        messages.push_back({caption, text, buttons, icon});
        if (answers.empty()) return Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string OpenFile(const std::string& filter, const std::string& dir) override {
        chooserCalls.emplace_back(filter, dir);
        return Next(fileChoices);
    }
    std::vector<std::string> OpenFiles(const std::string& filter, const std::string& dir) override {
        chooserCalls.emplace_back(filter, dir);
        if (multiChoices.empty()) return {};
        auto v = multiChoices.front();
        multiChoices.pop_front();
        return v;
    }
    std::string SaveFile(const std::string& filter, const std::string& dir) override {
        chooserCalls.emplace_back(filter, dir);
        return Next(fileChoices);
    }
    std::optional<std::string> PictureProblem(const std::string& path) override {
        auto it = pictureProblems.find(path);
        if (it == pictureProblems.end()) return std::nullopt;
        return it->second;
    }

private:
    static std::string Next(std::deque<std::string>& q) {
        if (q.empty()) return {};
        std::string s = q.front();
        q.pop_front();
        return s;
    }
};

}  // namespace kestrel::test
