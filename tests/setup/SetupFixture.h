#pragma once
// A user with a temporary home (default XDG folders below it), a release
// folder holding "kova", "kova-cli" and two language files, and a udev rule
// path of its own, so no test touches the real desktop or /etc.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "setup/SetupModel.h"
#include "setup/SetupPaths.h"
#include "support/TempFolder.h"

struct SetupFixture : ::testing::Test {
    SetupFixture()
    {
        std::filesystem::create_directories(root / "home");
        std::filesystem::create_directories(Release());
        TempFolder::Write(Release() / "kova", "#!/bin/sh\n");
        TempFolder::Write(Release() / "kova-cli", "#!/bin/sh\n");
        TempFolder::Write(Release() / "KOVA_M1002.TXT", "[KOVA_MULTI_LANGUAGE_LIST]\r\n");
        TempFolder::Write(Release() / "KOVA_M2000.TXT", "[KOVA_MULTI_LANGUAGE_LIST]\r\n");
        TempFolder::Write(Release() / "notes.txt", "not copied");
        env["HOME"] = (root / "home").string();
    }

    std::filesystem::path Release() const { return root / "release"; }

    SetupPaths Paths() const
    {
        SetupPaths paths = SetupPaths::FromEnvironment([this](const char* name) {
            const auto found = env.find(name);
            return found == env.end() ? std::string() : found->second;
        });
        paths.UdevRuleFile = (root / "rules" / "99-kova-cp210x.rules").string();
        return paths;
    }

    TempFolder root{"kova-setup"};
    std::map<std::string, std::string> env;
};
