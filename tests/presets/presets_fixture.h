#pragma once

#include "../e2e/journey.h"

#include "tests/scripted_prompter.h"

#include "presets/preset_context.h"

#include "core/config_file.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// The flows against the virtual processor in virtual time, with a scratch folder.
struct PresetsTest : Journey {
    ScriptedPrompter flow;
    quorix::presets::PresetContext context{device, store, image, view, digits, host};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (std::string("quorix-") + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override
    {
        Journey::SetUp();
        flow.answer = true;
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
