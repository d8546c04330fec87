#pragma once
// The jobs of the radio link, created together. Each front end calls
// AddLinkJobs once, right after constructing its Terminal.

class Terminal;
class HostCheckJob;
class ConnectJob;
class ClosePortJob;
class DisconnectJob;
class ModuleSetupJob;
class ScanJob;

struct LinkJobs {
    HostCheckJob& HostCheck;
    ConnectJob& Connect;
    ClosePortJob& ClosePort;
    DisconnectJob& Disconnect;
    ModuleSetupJob& ModuleSetup;
    ScanJob& Scan;
};

LinkJobs AddLinkJobs(Terminal& terminal);
