#include "setup/SetupTextList.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace {

constexpr std::string_view kLanguageNames = "English,,한국어,,";

struct TextPair {
    SetupText Name;
    const char* Texts[2];
};

// In the order of SetupText; the table is checked against it below.
constexpr TextPair kTexts[] = {
    {SetupText::Caption, {"Setup KOVA", "KOVA 설정"}},
    {SetupText::InstallProgram, {"Install(KOVA)", "KOVA 설치"}},
    {SetupText::UninstallProgram, {"Uninstall(KOVA)", "KOVA 제거"}},
    {SetupText::InstallDriver, {"Install(USB-UART)", "USB-UART 설치"}},
    {SetupText::UninstallDriver, {"Uninstall(USB-UART)", "USB-UART 제거"}},
    {SetupText::SetAutoStart, {"Set auto start", "자동 시작 등록"}},
    {SetupText::ResetAutoStart, {"Reset Auto Start", "자동 시작 해지"}},
    {SetupText::Exit, {"Exit", "나가기"}},
    {SetupText::ProductName,
     {"Product Name : Auto insert equipment data terminal program",
      "제  품  명 : 자동삽입기(Universal) 터미널 프로그램"}},
    {SetupText::ProductDescription,
     {"Product description : Using the USB terminal for Windows XP(7) 64bit",
      "제품 설명 : Windows XP(7) 64bit 환경의 USB 포트를 이용한 터미널 프로그램"}},
    {SetupText::FileVersion, {"File version : %s", "파일 버젼 : %s"}},
    {SetupText::CompanyName, {"Company name : MERIDO electronics", "회  사  명 : 메리도 전자"}},
    {SetupText::ProgramMissing, {"File(%s) not found.", "%s 파일이 존재하지 않습니다."}},
    {SetupText::WriteFailed, {"Failed to write %s.", "%s의 기록를 실패 하였습니다."}},
    {SetupText::ShortcutFailed,
     {"Failed to write ICON in start menu", "시작메뉴에 프로그램 바로가기 등록 실패."}},
    {SetupText::AutoStartFailed, {"Failed to write registry.", "자동 시작 프로그램 등록 실패"}},
    {SetupText::DriverPresent,
     {"USB-UART Driver was already installed.", "USB-UART 드라이브가 이미 등록 되었음."}},
    {SetupText::DriverPackageMissing,
     {"USB-UART driver file not found.", "USB-UART 드라이브 파일이 존재하지 않습니다."}},
    // The USB-UART access is a udev rule: removing it means deleting that file.
    {SetupText::DriverRemovalAdvice,
     {"Erase [/etc/udev/rules.d/99-kova-cp210x.rules] as the administrator "
      "(sudo rm /etc/udev/rules.d/99-kova-cp210x.rules).",
      "관리자 권한으로 [/etc/udev/rules.d/99-kova-cp210x.rules] 파일을 삭제하세요 "
      "(sudo rm /etc/udev/rules.d/99-kova-cp210x.rules)."}},
    {SetupText::DriverWaiting,
     {"Waiting for USB-UART driver Install..........",
      "USB-UART 드라이브 설치 종료를 기다려 주세요..........."}},
};

constexpr bool TableInOrder()
{
    std::size_t i = 0;
    for (const TextPair& pair : kTexts) {
        if (static_cast<std::size_t>(pair.Name) != i++) {
            return false;
        }
    }
    return i == static_cast<std::size_t>(SetupText::Count);
}
static_assert(TableInOrder(), "kTexts must list every SetupText in order");

}  // namespace

SetupTextList::SetupTextList()
{
    std::string_view rest = kLanguageNames;
    for (std::size_t end = rest.find(",,"); end != std::string_view::npos; end = rest.find(",,")) {
        languages_.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end + 2);
    }
}

const std::string& SetupTextList::Text(SetupText text, int language) const
{
    static const auto texts = [] {
        std::array<std::array<std::string, 2>, static_cast<std::size_t>(SetupText::Count)> all;
        for (const TextPair& pair : kTexts) {
            all[static_cast<std::size_t>(pair.Name)] = {pair.Texts[0], pair.Texts[1]};
        }
        return all;
    }();
    const std::size_t column = (language == 1) ? 1 : 0;
    return texts[static_cast<std::size_t>(text)][column];
}

std::string SetupTextList::Format(SetupText text, int language, const std::string& argument) const
{
    std::string result = Text(text, language);
    if (const std::size_t at = result.find("%s"); at != std::string::npos) {
        result.replace(at, 2, argument);
    }
    return result;
}
