#pragma once
// Platform services for engine tests: settings in memory, the ports the test
// lists, and the notices shown.

#include <string>
#include <vector>

#include "app/AppPlatform.h"
#include "app/InMemorySettingsStore.h"

class TestAppPlatform : public AppPlatform {
public:
    SettingsStore& Settings() override { return Store; }
    bool AcquireSingleInstance() override { return true; }
    bool IsKoreanSystem() const override { return false; }
    void ShowMessageBox(const std::string& text) override { Notices.push_back(text); }
    std::vector<std::string> ListComPorts() const override { return Ports; }
    std::string ProgramFolder() const override { return "/nonexistent/kova-test-program"; }
    std::string HomeFolder() const override { return "/home/op"; }

    InMemorySettingsStore Store;
    std::vector<std::string> Ports;
    std::vector<std::string> Notices;
};
