#pragma once
// Saving a channel record from a page or dialog: a settings file that
// refuses it is said in the status window, so that a change the next start
// will not see is never taken for saved.

struct ChannelConfig;
class Terminal;

// 1 when saved; 0 after the status entry "<channel> Channel parameters were
// not saved: ...".
int SaveChannelAndReport(Terminal& terminal, const ChannelConfig& record);
