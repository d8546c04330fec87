#pragma once
// Connects the sub module of a channel the operator chooses: confirms the
// host module first when needed, dials the module's 12-digit address and
// gives it 230 ticks of 100 ms to answer "CONNECT ", then loads the machine's
// line parameters into it (ModuleSetupJob). A set-up that fails hangs the
// module up again (DisconnectJob).

#include <cstdint>
#include <string>

#include "engine/Job.h"

class ConnectJob : public Job {
public:
    explicit ConnectJob(Terminal& terminal);
    int Run(uint32_t event) override;

    // A sub module's address: exactly 12 hexadecimal digits, either case.
    static bool IsValidSubSerial(const std::string& serial);

    static constexpr int kDialTicks = 230;   // of 100 ms: 23 s
    static constexpr int kDataBarRange = 30;

private:
    // Title of the channel selection: names the transfer the connection is for.
    std::string SelectionTitle() const;
    // Shows the channel selection; false when the operator cancelled.
    bool ChooseChannel(int& channel);
};
