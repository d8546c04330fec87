#pragma once
// Platform services for the application tests: an in-memory store, a lock
// whose answer the test sets, and a record of the message boxes shown.

#include <string>
#include <vector>

#include "app/AppPlatform.h"
#include "app/InMemorySettingsStore.h"

class FakeAppPlatform : public AppPlatform {
public:
    SettingsStore& Settings() override { return Store; }
    bool AcquireSingleInstance() override
    {
        ++LockAttempts;
        return LockFree;
    }
    bool IsKoreanSystem() const override { return Korean; }
    void ShowMessageBox(const std::string& text) override { Messages.push_back(text); }
    std::vector<std::string> ListComPorts() const override { return Ports; }
    std::string ProgramFolder() const override { return Folder; }
    std::string HomeFolder() const override { return Home; }

    InMemorySettingsStore Store;
    bool LockFree = true;
    int LockAttempts = 0;
    bool Korean = false;
    std::vector<std::string> Messages;
    std::vector<std::string> Ports;
    std::string Folder = "/nonexistent/kova-test-program-folder";
    std::string Home = "/home/op";
};
