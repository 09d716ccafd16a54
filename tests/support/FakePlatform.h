#pragma once
// A scripted Platform for core tests: records every message and file chooser call,
// hands out queued answers and queued file choices.

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/Platform.h"

namespace kestrel::test {

class FakePlatform : public Platform {
public:
    struct Msg {
        std::string caption, text;
        Buttons buttons;
        Icon icon;
    };
    struct Chooser {
        std::string kind, filter, initialDir;  // kind: "open", "openMany", "save"
    };

    std::vector<Msg> messages;
    std::vector<Chooser> choosers;
    std::deque<Answer> answers;                 // for Yes/No boxes; No when none is queued
    std::deque<std::string> files;              // for OpenFile and SaveFile; "" (cancel) when none
    std::deque<std::vector<std::string>> fileLists;
    std::map<std::string, std::string> pictureProblems;  // path -> reason
    std::vector<JobProgress> progress;  // every report of every job run
    int jobs = 0;                       // jobs run
    // Cancel is pressed at the first report this says yes to.
    std::function<bool(const JobProgress&)> cancelWhen;
    std::map<std::string, std::string> settings;  // what Setting and SetSetting see

    Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                   Icon icon) override {
        messages.push_back({caption, text, buttons, icon});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string OpenFile(const std::string& filter, const std::string& initialDir) override {
        choosers.push_back({"open", filter, initialDir});
        return Next(files);
    }
    std::vector<std::string> OpenFiles(const std::string& filter,
                                       const std::string& initialDir) override {
        choosers.push_back({"openMany", filter, initialDir});
        if (fileLists.empty()) return {};
        auto l = fileLists.front();
        fileLists.pop_front();
        return l;
    }
    std::string SaveFile(const std::string& filter, const std::string& initialDir) override {
        choosers.push_back({"save", filter, initialDir});
        return Next(files);
    }
    std::optional<std::string> PictureProblem(const std::string& path) override {
        auto it = pictureProblems.find(path);
        if (it == pictureProblems.end()) return std::nullopt;
        return it->second;
    }

    void RunJob(const Job& job) override {
        ++jobs;
        std::atomic<bool> cancel{false};
        job([&](const JobProgress& p) {
            progress.push_back(p);
            if (cancelWhen && cancelWhen(p)) cancel = true;
        }, cancel);
    }

    std::string Setting(const std::string& key) override {
        auto it = settings.find(key);
        return it == settings.end() ? std::string() : it->second;
    }
    void SetSetting(const std::string& key, const std::string& value) override {
        settings[key] = value;
    }

    std::vector<std::string> Filters() const {
        std::vector<std::string> f;
        for (const auto& c : choosers) f.push_back(c.filter);
        return f;
    }
    std::vector<std::string> Folders() const {
        std::vector<std::string> f;
        for (const auto& c : choosers) f.push_back(c.initialDir);
        return f;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const auto& m : messages) t.push_back(m.text);
        return t;
    }

private:
    static std::string Next(std::deque<std::string>& q) {
        if (q.empty()) return {};
        auto s = q.front();
        q.pop_front();
        return s;
    }
};

}  // namespace kestrel::test

namespace kestrel {
using test::FakePlatform;
}  // namespace kestrel
