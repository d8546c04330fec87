#include "ui/models/ChannelSave.h"

#include <string>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "lang/TextPair.h"

namespace {
constexpr TextPair kNotSaved{"Channel parameters were not saved: the settings file cannot be written.",
                             "채널 설정을 저장하지 못했습니다: 설정 파일에 쓸 수 없습니다."};
}  // namespace

int SaveChannelAndReport(Terminal& terminal, const ChannelConfig& record) {
    if (terminal.App.SaveChannelConfig(record)) return 1;
    terminal.ShowStatus(std::to_string(record.Channel) + " " + kNotSaved.For(terminal.App._nLanguage), 1);
    return 0;
}
