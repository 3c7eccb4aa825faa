#pragma once

#include "../e2e/journey.h"

#include "presets/file_chooser.h"
#include "presets/flow_host.h"
#include "presets/preset_context.h"

#include "core/config_file.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// Messages recorded, questions answered from a script, the busy state followed.
struct ScriptedFlowHost : quorix::presets::FlowHost {
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = true;
    std::vector<bool> busy;
    std::vector<bool> busyAtMessages; // whether the progress bar was showing under each message
    std::vector<std::string> information;

    void showMessage(std::string_view text) override
    {
        messages.emplace_back(text);
        busyAtMessages.push_back(!busy.empty() && busy.back());
    }
    void showInformation(std::string_view text) override
    {
        showMessage(text);
        information.emplace_back(text);
    }
    bool askYesNo(std::string_view question) override
    {
        questions.emplace_back(question);
        return answer;
    }
    void setBusy(bool b) override { busy.push_back(b); }
};

struct ScriptedChooser : quorix::presets::FileChooser {
    std::filesystem::path next;
    int asked = 0;
    std::filesystem::path chooseConfigurationFileToOpen() override { return (++asked, next); }
    std::filesystem::path chooseConfigurationFileToSave() override { return (++asked, next); }
};

// The flows against the virtual processor in virtual time, with a scratch folder.
struct PresetsTest : Journey {
    ScriptedFlowHost flow;
    ScriptedChooser chooser;
    quorix::presets::PresetContext context{device, store, image, view, digits, host};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (std::string("quorix-") + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override
    {
        Journey::SetUp();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder);
        Journey::TearDown();
    }

    // The requests sent so far as (command name, frame bytes).
    std::vector<std::pair<std::string, std::vector<int>>> sent() const
    {
        std::vector<std::pair<std::string, std::vector<int>>> requests;
        std::istringstream lines(trace.str());
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            std::string time, direction, name, byte;
            words >> time >> direction >> name;
            if (direction != "TX")
                continue;
            std::vector<int> bytes;
            while (words >> byte)
                bytes.push_back(byte == "**" ? -1 : std::stoi(byte, nullptr, 16));
            requests.emplace_back(name, bytes);
        }
        return requests;
    }
};
