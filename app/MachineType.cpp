#include "app/MachineType.h"

#include "app/ChannelConfig.h"

int FindMachineType(std::string_view name)
{
    for (std::size_t i = 0; i < MachineTypes.size(); ++i) {
        if (name == MachineTypes[i].Name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ApplyMachineType(ChannelConfig& config, const MachineType& type)
{
    config.McType = type.Name;
    config.McBaudRate = type.BaudRate;
    config.McDataBit = type.DataBit;
    config.McParityBit = type.ParityBit;
    config.McDelayBit = type.DelayBit;
    if (type.HasPnrOptions) {
        config.PnrEtx = "CR";
        config.PnrPName = 0;
    }
}
