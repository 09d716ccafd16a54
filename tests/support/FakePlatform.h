#pragma once
// A scripted Platform for core tests: records every message and hands out queued
// answers and file choices.

#include <deque>
#include <string>
#include <vector>

#include "model/Platform.h"

namespace kestrel::test {

struct RecordedMessage {
    std::string Caption;
    std::string Text;
    Buttons ButtonSet;
    Icon IconKind;
};

class FakePlatform : public Platform {
public:
    std::vector<RecordedMessage> Messages;
    std::deque<Answer> Answers;                    // for Yes/No boxes; No when empty
    std::deque<std::string> FileChoices;           // for OpenFile and SaveFile; "" when empty
    std::deque<std::vector<std::string>> MultiChoices;
    std::vector<std::string> DialogFolders;        // initial folder of each file dialog
    std::vector<std::string> DialogFilters;
    struct Progress {
        std::string File;
        int Done;
        int Total;
    };
    std::vector<Progress> ProgressCalls;

    Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                   Icon icon) override {
        Messages.push_back({caption, text, buttons, icon});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (Answers.empty()) return Answer::No;
        Answer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    std::string OpenFile(const std::string& filter, const std::string& initialDir) override {
        return NextFile(filter, initialDir);
    }
    std::vector<std::string> OpenFiles(const std::string& filter, const std::string& initialDir) override {
        DialogFilters.push_back(filter);
        DialogFolders.push_back(initialDir);
        if (MultiChoices.empty()) return {};
        auto v = MultiChoices.front();
        MultiChoices.pop_front();
        return v;
    }
    std::string SaveFile(const std::string& filter, const std::string& initialDir) override {
        return NextFile(filter, initialDir);
    }
    std::optional<std::string> PictureProblem(const std::string&) override { return std::nullopt; }
    void SaveProgress(const std::string& file, int done, int total) override {
        ProgressCalls.push_back({file, done, total});
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const auto& m : Messages) t.push_back(m.Text);
        return t;
    }

private:
    std::string NextFile(const std::string& filter, const std::string& initialDir) {
        DialogFilters.push_back(filter);
        DialogFolders.push_back(initialDir);
        if (FileChoices.empty()) return {};
        auto f = FileChoices.front();
        FileChoices.pop_front();
        return f;
    }
};

}  // namespace kestrel::test
