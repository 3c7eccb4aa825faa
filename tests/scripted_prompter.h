#pragma once

#include "core/busy_indicator.h"
#include "core/prompter.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The window the flows ask and tell: questions answered from a script, files
// chosen from a queue, every message recorded with its severity, the busy state followed.
struct ScriptedPrompter : quorix::core::Prompter, quorix::core::BusyIndicator {
    struct AskedFile {
        std::string caption;
        std::string filter;
        bool save = false;
        std::filesystem::path folder;
    };

    std::deque<bool> answers; // taken in order; once they run out, `answer`
    bool answer = false;
    bool withdraw = false;                   // a question that can be withdrawn is: Escape
    std::deque<std::filesystem::path> files; // taken in order; once they run out, the dialog is cancelled
    std::function<void()> onMessage;

    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<quorix::core::Severity> severities; // one per message
    std::vector<bool> busyAtMessages;               // whether the window showed busy under each message
    std::vector<bool> busy;
    std::vector<AskedFile> askedFiles;

    bool askYesNo(std::string_view question) override
    {
        questions.emplace_back(question);
        if (answers.empty())
            return answer;
        const bool next = answers.front();
        answers.pop_front();
        return next;
    }
    Answer askYesNoCancel(std::string_view question) override
    {
        const bool yes = askYesNo(question);
        return withdraw ? Answer::Cancel : yes ? Answer::Yes : Answer::No;
    }
    void showMessage(std::string_view text, quorix::core::Severity severity) override
    {
        messages.emplace_back(text);
        severities.push_back(severity);
        busyAtMessages.push_back(!busy.empty() && busy.back());
        if (onMessage)
            onMessage();
    }
    std::optional<std::filesystem::path> askFile(const quorix::core::FileRequest& request) override
    {
        askedFiles.push_back({std::string(request.caption), std::string(request.filter), request.save, request.folder});
        if (files.empty())
            return std::nullopt;
        std::filesystem::path file = files.front();
        files.pop_front();
        return file;
    }
    void setBusy(bool b) override { busy.push_back(b); }

    // The messages told with `severity`, in order.
    std::vector<std::string> told(quorix::core::Severity severity) const
    {
        std::vector<std::string> found;
        for (std::size_t i = 0; i < messages.size(); ++i)
            if (severities[i] == severity)
                found.push_back(messages[i]);
        return found;
    }
    int count(std::string_view text) const
    {
        int n = 0;
        for (const auto& m : messages)
            n += m == text ? 1 : 0;
        return n;
    }
};
