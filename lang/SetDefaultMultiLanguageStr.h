int CKOVAApp::SetDefaultMultiLanguageStr()
{
    _arMultiLanguage.RemoveAll();

	tMULTI_LANGUAGE tMultiLanguage;

	tMultiLanguage.str[0]="This program is already running.";
	tMultiLanguage.str[1]="이미 프로그램이 실행 중입니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 0

	tMultiLanguage.str[0]="MERIDO Wireless data terminal";
	tMultiLanguage.str[1]="MERIDO 무선 데이터 단말기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 1

	tMultiLanguage.str[0]="Program Up/Down :F5";
	tMultiLanguage.str[1]="프로그램 업/다운 :F5";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="button";
	_arMultiLanguage.Add(tMultiLanguage);	// 2

	tMultiLanguage.str[0]="PC COM Port :F6";
	tMultiLanguage.str[1]="PC COM 포트 :F6";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 3

	tMultiLanguage.str[0]="MC Enviroment :F7";
	tMultiLanguage.str[1]="MC 환경 :F7";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 4

	tMultiLanguage.str[0]="Option :F8";
	tMultiLanguage.str[1]="옵션 :F8";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 5

	tMultiLanguage.str[0]="Program download(PC->MC) :F3";
	tMultiLanguage.str[1]="프로그램 다운로드(PC->MC) :F3";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 6

	tMultiLanguage.str[0]="System Program Download :ALT+S";
	tMultiLanguage.str[1]="시스템 프로그램 다운로드 :ALT+S";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 7

	tMultiLanguage.str[0]="PC's Pattern Program  :F3";
	tMultiLanguage.str[1]="PC 패턴 프로그램  :F3";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 8

	tMultiLanguage.str[0]="Ready to transmit the system program.";
	tMultiLanguage.str[1]="시스템 프로그램을 전송할 준비가 되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 9

	tMultiLanguage.str[0]="Program upload(PC<-MC) :F4";
	tMultiLanguage.str[1]="프로그램 업로드(PC<-MC) :F4";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 10

	tMultiLanguage.str[0]="Cancel (Stop) :CTRL+C";
	tMultiLanguage.str[1]="취소(중지) :CTRL+C";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 11

	tMultiLanguage.str[0]="Reconnect";
	tMultiLanguage.str[1]="재연결";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 12

	tMultiLanguage.str[0]="Default";
	tMultiLanguage.str[1]="기본값";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 13

	tMultiLanguage.str[0]="Apply";
	tMultiLanguage.str[1]="적용";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 14

	tMultiLanguage.str[0]="Cancel";
	tMultiLanguage.str[1]="취소";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 15

	tMultiLanguage.str[0]="Close Port";
	tMultiLanguage.str[1]="포트 닫기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 16

	tMultiLanguage.str[0]="Open Port";
	tMultiLanguage.str[1]="포트 열기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 17

	tMultiLanguage.str[0]="Status Window Font";
	tMultiLanguage.str[1]="상태창 글꼴";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 18

	tMultiLanguage.str[0]="Clear Status Window";
	tMultiLanguage.str[1]="상태창 지우기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 19

	tMultiLanguage.str[0]="Comm. Window Font";
	tMultiLanguage.str[1]="통신창 글꼴";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 20

	tMultiLanguage.str[0]="Clear Comm. Window";
	tMultiLanguage.str[1]="통신창 지우기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 21

	tMultiLanguage.str[0]="Enable";
	tMultiLanguage.str[1]="사용";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 22

	tMultiLanguage.str[0]="Reserved";
	tMultiLanguage.str[1]="예약";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 23

	tMultiLanguage.str[0]="Edit string of multilingual";
	tMultiLanguage.str[1]="다국어 문자열 편집";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 24

	tMultiLanguage.str[0]="Communication Window";
	tMultiLanguage.str[1]="통신창";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 25

	tMultiLanguage.str[0]="Status Window";
	tMultiLanguage.str[1]="상태창";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 26

	tMultiLanguage.str[0]="Change Password";
	tMultiLanguage.str[1]="비밀번호 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 27

	tMultiLanguage.str[0]="Current Password";
	tMultiLanguage.str[1]="현재 비밀번호";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 28

	tMultiLanguage.str[0]="New Password";
	tMultiLanguage.str[1]="새 비밀번호";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 29

	tMultiLanguage.str[0]="Confirm Password";
	tMultiLanguage.str[1]="새 비밀번호 확인";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 30

	tMultiLanguage.str[0]="OK";
	tMultiLanguage.str[1]="확인";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 31

	tMultiLanguage.str[0]="CANCEL";
	tMultiLanguage.str[1]="취소";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 32

	tMultiLanguage.str[0]="Current password mismatch.";
	tMultiLanguage.str[1]="현재 비밀번호가 일치하지 않습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 33

	tMultiLanguage.str[0]="Password confirmed mismatch.";
	tMultiLanguage.str[1]="새 비밀번호 확인이 일치하지 않습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 34

	tMultiLanguage.str[0]="Check Password";
	tMultiLanguage.str[1]="비밀번호 확인";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 35

	tMultiLanguage.str[0]="Input Password";
	tMultiLanguage.str[1]="비밀번호 입력";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 36

	tMultiLanguage.str[0]="Password mismatch.";
	tMultiLanguage.str[1]="비밀번호가 일치하지 않습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 37

	tMultiLanguage.str[0]="NCD file's Inspection Parameter";
	tMultiLanguage.str[1]="NCD 파일 검사 조건";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 38

	tMultiLanguage.str[0]="Data line '>' characters to determine";
	tMultiLanguage.str[1]="데이터 줄 판별 문자 '>'";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 39

	tMultiLanguage.str[0]="Edit channel parameters";
	tMultiLanguage.str[1]="채널 설정 편집";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 40

	tMultiLanguage.str[0]="Sub module serial";
	tMultiLanguage.str[1]="서브 모듈 시리얼";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 41

	tMultiLanguage.str[0]="Find the folder";
	tMultiLanguage.str[1]="폴더 찾기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 42

	tMultiLanguage.str[0]="Change folder of channel";
	tMultiLanguage.str[1]="채널 폴더 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 43

	tMultiLanguage.str[0]="Folder Open";
	tMultiLanguage.str[1]="폴더 열기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 44

	tMultiLanguage.str[0]="Refresh";
	tMultiLanguage.str[1]="새로고침";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 45

	tMultiLanguage.str[0]="PC file edit";
	tMultiLanguage.str[1]="PC 파일 편집";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 46

	tMultiLanguage.str[0]="Uploading file name change";
	tMultiLanguage.str[1]="업로드 파일 이름 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 47

	tMultiLanguage.str[0]="File Rename";
	tMultiLanguage.str[1]="파일 이름 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 48

	tMultiLanguage.str[0]="PC file backup";
	tMultiLanguage.str[1]="PC 파일 백업";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 49

	tMultiLanguage.str[0]="MC's program rename";
	tMultiLanguage.str[1]="MC 프로그램 이름 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 50

	tMultiLanguage.str[0]="Downloading program rename";
	tMultiLanguage.str[1]="다운로드 프로그램 이름 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 51

	tMultiLanguage.str[0]="Program download (PC->MC)";
	tMultiLanguage.str[1]="프로그램 다운로드 (PC->MC)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 52

	tMultiLanguage.str[0]="Exit";
	tMultiLanguage.str[1]="종료";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 53

	tMultiLanguage.str[0]="NO";
	tMultiLanguage.str[1]="번호";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 54

	tMultiLanguage.str[0]="Lines";
	tMultiLanguage.str[1]="줄 수";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 55

	tMultiLanguage.str[0]="Size";
	tMultiLanguage.str[1]="크기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 56

	tMultiLanguage.str[0]="File Name";
	tMultiLanguage.str[1]="파일 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 57

	tMultiLanguage.str[0]="NCD program name";
	tMultiLanguage.str[1]="NCD 프로그램 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 58

	tMultiLanguage.str[0]="Remarks";
	tMultiLanguage.str[1]="비고";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 59

	tMultiLanguage.str[0]="File Check";
	tMultiLanguage.str[1]="파일 검사";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 60

	tMultiLanguage.str[0]="Use PNR P.G name";
	tMultiLanguage.str[1]="PNR 이름 사용";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 61

	tMultiLanguage.str[0]="Default work folder";
	tMultiLanguage.str[1]="기본 작업 폴더";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 62

	tMultiLanguage.str[0]="Already exist on MC.";
	tMultiLanguage.str[1]="MC에 이미 있습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 63

	tMultiLanguage.str[0]="Find...";
	tMultiLanguage.str[1]="찾기...";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 64

	tMultiLanguage.str[0]="Pattern program file's inspection parameter has Changed.";
	tMultiLanguage.str[1]="패턴 프로그램 파일 검사 조건이 변경되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 65

	tMultiLanguage.str[0]="Failed to rename.";
	tMultiLanguage.str[1]="이름을 바꾸지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 66

	tMultiLanguage.str[0]="EDIT";
	tMultiLanguage.str[1]="편집";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 67

	tMultiLanguage.str[0]="Select pattern program folder.";
	tMultiLanguage.str[1]="패턴 프로그램 폴더를 선택하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 68

	tMultiLanguage.str[0]="Changed pattern program folder.";
	tMultiLanguage.str[1]="패턴 프로그램 폴더가 변경되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 69

	tMultiLanguage.str[0]="COPY";
	tMultiLanguage.str[1]="복사";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 70

	tMultiLanguage.str[0]="PASTE";
	tMultiLanguage.str[1]="붙여넣기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 71

	tMultiLanguage.str[0]="Invalid COM port number!";
	tMultiLanguage.str[1]="COM 포트 번호가 잘못되었습니다!";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 72

	tMultiLanguage.str[0]="Invalid port's BAUD_RATE!";
	tMultiLanguage.str[1]="포트 통신 속도가 잘못되었습니다!";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 73

	tMultiLanguage.str[0]="Invalid port's DATA_BIT!";
	tMultiLanguage.str[1]="포트 데이터 비트가 잘못되었습니다!";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 74

	tMultiLanguage.str[0]="Invalid port's STOP_BIT!";
	tMultiLanguage.str[1]="포트 정지 비트가 잘못되었습니다!";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 75

	tMultiLanguage.str[0]="Invalid port's PARITY_BIT!";
	tMultiLanguage.str[1]="포트 패리티 비트가 잘못되었습니다!";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 76

	tMultiLanguage.str[0]="Port failed to open.";
	tMultiLanguage.str[1]="포트를 열지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 77

	tMultiLanguage.str[0]="Port opened.";
	tMultiLanguage.str[1]="포트를 열었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 78

	tMultiLanguage.str[0]="Not found PC's port!";
	tMultiLanguage.str[1]="PC 포트를 찾을 수 없습니다!";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 79

	tMultiLanguage.str[0]="Checking [TRX]...";
	tMultiLanguage.str[1]="[TRX] 확인 중...";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 80

	tMultiLanguage.str[0]="Not found [TRX].";
	tMultiLanguage.str[1]="[TRX]를 찾을 수 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 81

	tMultiLanguage.str[0]="No response of TRX.";
	tMultiLanguage.str[1]="TRX 응답이 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 82

	tMultiLanguage.str[0]="Invalid response of TRX.";
	tMultiLanguage.str[1]="TRX 응답이 잘못되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 83

	tMultiLanguage.str[0]="Failed to set baud rate of TRX.";
	tMultiLanguage.str[1]="TRX 통신 속도를 설정하지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 84

	tMultiLanguage.str[0]="Failed to set delay bit of TRX.";
	tMultiLanguage.str[1]="TRX 지연 비트를 설정하지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 85

	tMultiLanguage.str[0]="Reserved";
	tMultiLanguage.str[1]="예약";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 86

	tMultiLanguage.str[0]="Reserved";
	tMultiLanguage.str[1]="예약";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 87

	tMultiLanguage.str[0]="Reserved";
	tMultiLanguage.str[1]="예약";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 88

	tMultiLanguage.str[0]="Reserved";
	tMultiLanguage.str[1]="예약";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 89

	tMultiLanguage.str[0]="Check cable of USB - TRX.";
	tMultiLanguage.str[1]="USB - TRX 케이블을 확인하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 90

	tMultiLanguage.str[0]="Failed to make list of MC's program.";
	tMultiLanguage.str[1]="MC 프로그램 목록을 만들지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 91

	tMultiLanguage.str[0]="Do you want connection?";
	tMultiLanguage.str[1]="연결하시겠습니까?";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 92

	tMultiLanguage.str[0]="Port closed.";
	tMultiLanguage.str[1]="포트를 닫았습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 93

	tMultiLanguage.str[0]="TRX is not connect to MC.";
	tMultiLanguage.str[1]="TRX가 MC에 연결되지 않았습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 94

	tMultiLanguage.str[0]="System file is not specified.";
	tMultiLanguage.str[1]="시스템 파일이 지정되지 않았습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 95

	tMultiLanguage.str[0]="Empty file.";
	tMultiLanguage.str[1]="빈 파일입니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 96

	tMultiLanguage.str[0]="File not open.";
	tMultiLanguage.str[1]="파일을 열 수 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 97

	tMultiLanguage.str[0]="System program downloading...";
	tMultiLanguage.str[1]="시스템 프로그램 다운로드 중...";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 98

	tMultiLanguage.str[0]="Failed to set TRX";
	tMultiLanguage.str[1]="TRX 설정 실패";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 99

	tMultiLanguage.str[0]="System program downloading completed.";
	tMultiLanguage.str[1]="시스템 프로그램 다운로드를 완료했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 100

	tMultiLanguage.str[0]="System program failed downloading.";
	tMultiLanguage.str[1]="시스템 프로그램 다운로드에 실패했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 101

	tMultiLanguage.str[0]="System program canceled downloading.";
	tMultiLanguage.str[1]="시스템 프로그램 다운로드를 취소했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 102

	tMultiLanguage.str[0]="Pattern program preparing download.";
	tMultiLanguage.str[1]="패턴 프로그램 다운로드를 준비합니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 103

	tMultiLanguage.str[0]="DELETE";
	tMultiLanguage.str[1]="삭제";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 104

	tMultiLanguage.str[0]="No response from MC!";
	tMultiLanguage.str[1]="MC 응답이 없습니다!";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 105

	tMultiLanguage.str[0]="PNR ETX";
	tMultiLanguage.str[1]="PNR ETX";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 106

	tMultiLanguage.str[0]="Transmit the data remains.";
	tMultiLanguage.str[1]="남은 데이터를 전송합니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 107

	tMultiLanguage.str[0]="Downloading complete.";
	tMultiLanguage.str[1]="다운로드 완료.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 108

	tMultiLanguage.str[0]="Downloading canceled.";
	tMultiLanguage.str[1]="다운로드 취소.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 109

	tMultiLanguage.str[0]="Port RTS(busy) status";
	tMultiLanguage.str[1]="포트 RTS(사용 중) 상태";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 110

	tMultiLanguage.str[0]="Writting Failed.";
	tMultiLanguage.str[1]="쓰기 실패.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 111

	tMultiLanguage.str[0]="Uploading completed.";
	tMultiLanguage.str[1]="업로드 완료.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 112

	tMultiLanguage.str[0]="Uploading failed.";
	tMultiLanguage.str[1]="업로드 실패.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 113

	tMultiLanguage.str[0]="Uploading canceled.";
	tMultiLanguage.str[1]="업로드 취소.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 114

	tMultiLanguage.str[0]="Check USB-UART port.";
	tMultiLanguage.str[1]="USB-UART 포트를 확인하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 115

	tMultiLanguage.str[0]="System ID to confirm the changed.";
	tMultiLanguage.str[1]="시스템 ID 변경을 확인하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 116

	tMultiLanguage.str[0]="Idle time to disconnect of sub module";
	tMultiLanguage.str[1]="서브 모듈 유휴 연결 해제 시간";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 117

	tMultiLanguage.str[0]="Canceled to connect  with Host module.";
	tMultiLanguage.str[1]="호스트 모듈 연결을 취소했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 118

	tMultiLanguage.str[0]="System abnormal response.";
	tMultiLanguage.str[1]="시스템 응답이 비정상입니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 119

	tMultiLanguage.str[0]="File String(Line:1,2)";
	tMultiLanguage.str[1]="파일 문자열(줄:1,2)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 120

	tMultiLanguage.str[0]="Wating for program download.";
	tMultiLanguage.str[1]="프로그램 다운로드 대기 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 121

	tMultiLanguage.str[0]="Pattern program of MC Failed rename.";
	tMultiLanguage.str[1]="MC 패턴 프로그램 이름 변경 실패.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 122

	tMultiLanguage.str[0]="Changed channel parameters.";
	tMultiLanguage.str[1]="채널 설정이 변경되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 123

	tMultiLanguage.str[0]="Changed PC's port parameter.";
	tMultiLanguage.str[1]="PC 포트 설정이 변경되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 124

	tMultiLanguage.str[0]="Uploading File Name";
	tMultiLanguage.str[1]="업로드 파일 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 125

	tMultiLanguage.str[0]="Program upload(PC<-MC)";
	tMultiLanguage.str[1]="프로그램 업로드(PC<-MC)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 126

	tMultiLanguage.str[0]="Has been canceled.";
	tMultiLanguage.str[1]="취소되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 127

	tMultiLanguage.str[0]="Already exist on PC.";
	tMultiLanguage.str[1]="PC에 이미 있습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 128

	tMultiLanguage.str[0]="MC's program list reads.";
	tMultiLanguage.str[1]="MC 프로그램 목록을 읽습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 129

	tMultiLanguage.str[0]="PC's files list reads.";
	tMultiLanguage.str[1]="PC 파일 목록을 읽습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 130

	tMultiLanguage.str[0]="Channel parameters are not changed.";
	tMultiLanguage.str[1]="채널 설정이 변경되지 않았습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 131

	tMultiLanguage.str[0]="MC system program download (PC->MC)";
	tMultiLanguage.str[1]="MC 시스템 프로그램 다운로드 (PC->MC)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 132

	tMultiLanguage.str[0]="MC system program (PC)";
	tMultiLanguage.str[1]="MC 시스템 프로그램 (PC)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 133

	tMultiLanguage.str[0]="System prog. folder/filter";
	tMultiLanguage.str[1]="시스템 프로그램 폴더/필터";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 134

	tMultiLanguage.str[0]="Program download(PC->MC)";
	tMultiLanguage.str[1]="프로그램 다운로드(PC->MC)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 135

	tMultiLanguage.str[0]="System file name";
	tMultiLanguage.str[1]="시스템 파일 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 136

	tMultiLanguage.str[0]="Changed system program folder.";
	tMultiLanguage.str[1]="시스템 프로그램 폴더가 변경되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 137

	tMultiLanguage.str[0]="Password has changed.";
	tMultiLanguage.str[1]="비밀번호가 변경되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 138

	tMultiLanguage.str[0]="Find String";
	tMultiLanguage.str[1]="문자열 찾기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 139

	tMultiLanguage.str[0]="Uppercase-sensitive";
	tMultiLanguage.str[1]="대/소문자 구분";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 140

	tMultiLanguage.str[0]="Find a string that contains";
	tMultiLanguage.str[1]="포함된 문자열 찾기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 141

	tMultiLanguage.str[0]="Port NO";
	tMultiLanguage.str[1]="포트 번호";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 142

	tMultiLanguage.str[0]="Baud rate";
	tMultiLanguage.str[1]="통신 속도";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 143

	tMultiLanguage.str[0]="Data bits";
	tMultiLanguage.str[1]="데이터 비트";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 144

	tMultiLanguage.str[0]="Stop bits";
	tMultiLanguage.str[1]="정지 비트";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 145

	tMultiLanguage.str[0]="Parity bit";
	tMultiLanguage.str[1]="패리티 비트";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 146

	tMultiLanguage.str[0]="RTS :";
	tMultiLanguage.str[1]="";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 147

	tMultiLanguage.str[0]="DTR :";
	tMultiLanguage.str[1]="";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 148

	tMultiLanguage.str[0]="CTS : TRX buffer afford";
	tMultiLanguage.str[1]="CTS : TRX 버퍼 여유";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 149

	tMultiLanguage.str[0]="DSR : M/C RTS signal";
	tMultiLanguage.str[1]="DSR : M/C RTS 신호";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 150

	tMultiLanguage.str[0]="Equipment to register for the program name";
	tMultiLanguage.str[1]="프로그램 이름을 등록할 장비";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 151

	tMultiLanguage.str[0]="Equipment registered in the program name";
	tMultiLanguage.str[1]="프로그램 이름이 등록된 장비";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 152

	tMultiLanguage.str[0]="Soft serial :";
	tMultiLanguage.str[1]="소프트 시리얼 :";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 153

	tMultiLanguage.str[0]="MC name";
	tMultiLanguage.str[1]="MC 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 154

	tMultiLanguage.str[0]="MC type";
	tMultiLanguage.str[1]="MC 종류";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 155

	tMultiLanguage.str[0]="Channel";
	tMultiLanguage.str[1]="채널";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 156

	tMultiLanguage.str[0]="NCD delay bits";
	tMultiLanguage.str[1]="NCD 지연 비트";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 157

	tMultiLanguage.str[0]="Sys. delay bits :";
	tMultiLanguage.str[1]="시스템 지연 비트 :";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 158

	tMultiLanguage.str[0]="Complete/Stop at set count";
	tMultiLanguage.str[1]="설정 수량 완료/정지";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 159

	tMultiLanguage.str[0]="Check  time";
	tMultiLanguage.str[1]="확인 시간";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 160

	tMultiLanguage.str[0]="Count over";
	tMultiLanguage.str[1]="수량 초과";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 161

	tMultiLanguage.str[0]="Change";
	tMultiLanguage.str[1]="변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 162

	tMultiLanguage.str[0]="Set Stop at set count and Check time";
	tMultiLanguage.str[1]="설정 수량 정지와 확인 시간 설정";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 163

	tMultiLanguage.str[0]="Stop at set count";
	tMultiLanguage.str[1]="설정 수량에서 정지";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 164

	tMultiLanguage.str[0]="Program busy, Can not to get count.";
	tMultiLanguage.str[1]="프로그램 사용 중, 수량을 읽을 수 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 165

	tMultiLanguage.str[0]="[Stop at count] to set value greater then 1";
	tMultiLanguage.str[1]="[수량 정지]는 1보다 큰 값으로 설정하십시오";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 166

	tMultiLanguage.str[0]="[Count check time] to set value greater then 1 Sec.";
	tMultiLanguage.str[1]="[수량 확인 시간]은 1초보다 큰 값으로 설정하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 167

	tMultiLanguage.str[0]="Send stop command by [Stop at set count].";
	tMultiLanguage.str[1]="[설정 수량 정지]로 정지 명령을 보냈습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 168

	tMultiLanguage.str[0]="Start to check countting for [Stop at set count]";
	tMultiLanguage.str[1]="[설정 수량 정지] 수량 확인 시작";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 169

	tMultiLanguage.str[0]="Stop to check countting for [Stop at set count]";
	tMultiLanguage.str[1]="[설정 수량 정지] 수량 확인 중지";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 170

	tMultiLanguage.str[0]="Can not stop to check counting.";
	tMultiLanguage.str[1]="수량 확인을 중지할 수 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 171

	tMultiLanguage.str[0]="SUB Module Scan";
	tMultiLanguage.str[1]="서브 모듈 검색";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 172

	tMultiLanguage.str[0]="[NCD delay bits] of this channel, Set larger.";
	tMultiLanguage.str[1]="이 채널의 [NCD 지연 비트]를 크게 설정하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 173

	tMultiLanguage.str[0]="MC's program erase";
	tMultiLanguage.str[1]="MC 프로그램 삭제";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 174

	tMultiLanguage.str[0]="File Delete";
	tMultiLanguage.str[1]="파일 삭제";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 175

	tMultiLanguage.str[0]="Start downloading";
	tMultiLanguage.str[1]="다운로드 시작";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 176

	tMultiLanguage.str[0]="Cancel download";
	tMultiLanguage.str[1]="다운로드 취소";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 177

	tMultiLanguage.str[0]="MC's program erases.";
	tMultiLanguage.str[1]="MC 프로그램을 삭제합니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 178

	tMultiLanguage.str[0]="Waiting download start signal";
	tMultiLanguage.str[1]="다운로드 시작 신호 대기 중";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 179

	tMultiLanguage.str[0]="Erased.";
	tMultiLanguage.str[1]="삭제했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 180

	tMultiLanguage.str[0]="Failed to erase.";
	tMultiLanguage.str[1]="삭제하지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 181

	tMultiLanguage.str[0]="File was not specified.";
	tMultiLanguage.str[1]="파일이 지정되지 않았습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 182

	tMultiLanguage.str[0]="TRX has been confirmed.";
	tMultiLanguage.str[1]="TRX를 확인했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 183

	tMultiLanguage.str[0]="Convert file name(for ZID)";
	tMultiLanguage.str[1]="파일 이름 변환(ZID용)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 184

	tMultiLanguage.str[0]="Current file name";
	tMultiLanguage.str[1]="현재 파일 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 185

	tMultiLanguage.str[0]="Identified file name in [PAT.DIR]";
	tMultiLanguage.str[1]="[PAT.DIR]의 파일 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 186

	tMultiLanguage.str[0]="Work folder";
	tMultiLanguage.str[1]="작업 폴더";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 187

	tMultiLanguage.str[0]="Convert all";
	tMultiLanguage.str[1]="모두 변환";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 188

	tMultiLanguage.str[0]="Convert selected";
	tMultiLanguage.str[1]="선택 변환";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 189

	tMultiLanguage.str[0]="Convert type";
	tMultiLanguage.str[1]="변환 방식";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 190

	tMultiLanguage.str[0]="Rename";
	tMultiLanguage.str[1]="이름 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 191

	tMultiLanguage.str[0]="Create(Copy)";
	tMultiLanguage.str[1]="생성(복사)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 192

	tMultiLanguage.str[0]="Convert file name(for ZID)";
	tMultiLanguage.str[1]="파일 이름 변환(ZID용)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 193

	tMultiLanguage.str[0]="Rename all files";
	tMultiLanguage.str[1]="모든 파일 이름 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 194

	tMultiLanguage.str[0]="Rename selected files";
	tMultiLanguage.str[1]="선택한 파일 이름 변경";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 195

	tMultiLanguage.str[0]="Create(Copy) all files";
	tMultiLanguage.str[1]="모든 파일 생성(복사)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 196

	tMultiLanguage.str[0]="Create(Copy) selected files";
	tMultiLanguage.str[1]="선택한 파일 생성(복사)";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 197

	tMultiLanguage.str[0]="Failed file create";
	tMultiLanguage.str[1]="파일 생성 실패";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 198

	tMultiLanguage.str[0]="Invalid NCD format";
	tMultiLanguage.str[1]="잘못된 NCD 형식";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 199

	tMultiLanguage.str[0]="No program in Machine.";
	tMultiLanguage.str[1]="장비에 프로그램이 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 200

	tMultiLanguage.str[0]="Press 'P' or 'T' key.";
	tMultiLanguage.str[1]="'P' 또는 'T' 키를 누르십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 201

	tMultiLanguage.str[0]="Over write ?";
	tMultiLanguage.str[1]="덮어쓰시겠습니까?";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 202

	tMultiLanguage.str[0]="Quick view";
	tMultiLanguage.str[1]="미리 보기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 203

	tMultiLanguage.str[0]="";
	tMultiLanguage.str[1]="";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 204

	tMultiLanguage.str[0]="";
	tMultiLanguage.str[1]="";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 205

	tMultiLanguage.str[0]="Can not use file name.";
	tMultiLanguage.str[1]="사용할 수 없는 파일 이름입니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 206

	tMultiLanguage.str[0]="Quick View";
	tMultiLanguage.str[1]="미리 보기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 207

	tMultiLanguage.str[0]="Input Downlaod File Name";
	tMultiLanguage.str[1]="다운로드 파일 이름 입력";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 208

	tMultiLanguage.str[0]="Not Found Download File.";
	tMultiLanguage.str[1]="다운로드 파일을 찾을 수 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 209

	tMultiLanguage.str[0]="Connect Machine(SUB):F2";
	tMultiLanguage.str[1]="장비 연결(SUB):F2";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 210

	tMultiLanguage.str[0]="Disconnect Machine(SUB):F2";
	tMultiLanguage.str[1]="장비 연결 끊기(SUB):F2";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 211

	tMultiLanguage.str[0]="Connected channel";
	tMultiLanguage.str[1]="연결된 채널";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 212

	tMultiLanguage.str[0]="Disconnected";
	tMultiLanguage.str[1]="연결 끊김";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 213

	tMultiLanguage.str[0]="Failed to confirm type of module.";
	tMultiLanguage.str[1]="모듈 종류를 확인하지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 214

	tMultiLanguage.str[0]="Checking host module.";
	tMultiLanguage.str[1]="호스트 모듈 확인 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 215

	tMultiLanguage.str[0]="Host module has been confirmed.";
	tMultiLanguage.str[1]="호스트 모듈을 확인했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 216

	tMultiLanguage.str[0]="Host modul not found.";
	tMultiLanguage.str[1]="호스트 모듈을 찾을 수 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 217

	tMultiLanguage.str[0]="Reconnect the USB cable of host module.";
	tMultiLanguage.str[1]="호스트 모듈의 USB 케이블을 다시 연결하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 218

	tMultiLanguage.str[0]="Disconnected by timeout.";
	tMultiLanguage.str[1]="시간 초과로 연결이 끊어졌습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 219

	tMultiLanguage.str[0]="Canceled program uploading because SUB module is not connected.";
	tMultiLanguage.str[1]="서브 모듈이 연결되지 않아 업로드를 취소했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 220

	tMultiLanguage.str[0]="Invalid type of equipment.";
	tMultiLanguage.str[1]="잘못된 장비 종류입니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 221

	tMultiLanguage.str[0]="Canceled program downloading because SUB module is not connected.";
	tMultiLanguage.str[1]="서브 모듈이 연결되지 않아 다운로드를 취소했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 222

	tMultiLanguage.str[0]="Keep disconnecting. And reconnect.";
	tMultiLanguage.str[1]="연결을 끊은 뒤 다시 연결하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 223

	tMultiLanguage.str[0]="Canceled by timeout.";
	tMultiLanguage.str[1]="시간 초과로 취소되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 224

	tMultiLanguage.str[0]="Failed to confirm version of module.";
	tMultiLanguage.str[1]="모듈 버전을 확인하지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 225

	tMultiLanguage.str[0]="Failed to setup of module.";
	tMultiLanguage.str[1]="모듈을 설정하지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 226

	tMultiLanguage.str[0]="Please check the host module.";
	tMultiLanguage.str[1]="호스트 모듈을 확인하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 227

	tMultiLanguage.str[0]="Failed to get channel infomation in the registry.";
	tMultiLanguage.str[1]="레지스트리에서 채널 정보를 읽지 못했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 228

	tMultiLanguage.str[0]="Canceled to connect  with Equipment.";
	tMultiLanguage.str[1]="장비 연결을 취소했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 229

	tMultiLanguage.str[0]="Serial of sub module is not valid.";
	tMultiLanguage.str[1]="서브 모듈 시리얼이 잘못되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 230

	tMultiLanguage.str[0]="Channel";
	tMultiLanguage.str[1]="채널";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 231

	tMultiLanguage.str[0]="Try to connection to sub module .";
	tMultiLanguage.str[1]="서브 모듈에 연결하는 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 232

	tMultiLanguage.str[0]="Equipment is connected.";
	tMultiLanguage.str[1]="장비가 연결되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 233

	tMultiLanguage.str[0]="Equipment is disconnected.";
	tMultiLanguage.str[1]="장비 연결이 끊어졌습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 234

	tMultiLanguage.str[0]="Disconnect the sub module before searching.";
	tMultiLanguage.str[1]="검색 전에 서브 모듈 연결을 끊으십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 235

	tMultiLanguage.str[0]="Searching sub modules.";
	tMultiLanguage.str[1]="서브 모듈 검색 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 236

	tMultiLanguage.str[0]="Failed to Searching sub modules.";
	tMultiLanguage.str[1]="서브 모듈 검색에 실패했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 237

	tMultiLanguage.str[0]="Sub modules searching completed.";
	tMultiLanguage.str[1]="서브 모듈 검색을 완료했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 238

	tMultiLanguage.str[0]="Stop searching of sub modules.";
	tMultiLanguage.str[1]="서브 모듈 검색을 중지했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 239

	tMultiLanguage.str[0]="Receive data is empty.";
	tMultiLanguage.str[1]="수신 데이터가 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 240

	tMultiLanguage.str[0]="Receive data is not valid.";
	tMultiLanguage.str[1]="수신 데이터가 잘못되었습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 241

	tMultiLanguage.str[0]="Sent";
	tMultiLanguage.str[1]="송신";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 242

	tMultiLanguage.str[0]="Receive";
	tMultiLanguage.str[1]="수신";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 243

	tMultiLanguage.str[0]="Failed transfer complete.";
	tMultiLanguage.str[1]="전송 완료 실패.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 244

	tMultiLanguage.str[0]="Canceled downloading by transfer error.";
	tMultiLanguage.str[1]="전송 오류로 다운로드를 취소했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 245

	tMultiLanguage.str[0]="Selected program is no exist in equipment .";
	tMultiLanguage.str[1]="선택한 프로그램이 장비에 없습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 246

	tMultiLanguage.str[0]="Canceled uploading by transfer error.";
	tMultiLanguage.str[1]="전송 오류로 업로드를 취소했습니다.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 247

	tMultiLanguage.str[0]="Wating for start code(DC2).";
	tMultiLanguage.str[1]="시작 코드(DC2) 대기 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 248

	tMultiLanguage.str[0]="Receiving NC data.";
	tMultiLanguage.str[1]="NC 데이터 수신 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 249

	tMultiLanguage.str[0]="Wating for request to send code(DC1).";
	tMultiLanguage.str[1]="송신 요청 코드(DC1) 대기 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 250

	tMultiLanguage.str[0]="Waiting to upload.";
	tMultiLanguage.str[1]="업로드 대기 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 251

	tMultiLanguage.str[0]="Waiting for start signal.";
	tMultiLanguage.str[1]="시작 신호 대기 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 252

	tMultiLanguage.str[0]="Last";
	tMultiLanguage.str[1]="마지막";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 253

	tMultiLanguage.str[0]="Downloading ...";
	tMultiLanguage.str[1]="다운로드 중 ...";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 254

	tMultiLanguage.str[0]="Downloading failed.";
	tMultiLanguage.str[1]="다운로드 실패.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 255

	tMultiLanguage.str[0]="Uploading...";
	tMultiLanguage.str[1]="업로드 중...";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 256

	tMultiLanguage.str[0]="Waiting for system program download.";
	tMultiLanguage.str[1]="시스템 프로그램 다운로드 대기 중.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 257

	tMultiLanguage.str[0]="Press system download start switch of MC.";
	tMultiLanguage.str[1]="MC의 시스템 다운로드 시작 스위치를 누르십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 258

	tMultiLanguage.str[0]="Select  NC program  to downloading.";
	tMultiLanguage.str[1]="다운로드할 NC 프로그램을 선택하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 259

	tMultiLanguage.str[0]="Select  system program  to downloading.";
	tMultiLanguage.str[1]="다운로드할 시스템 프로그램을 선택하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 260

	tMultiLanguage.str[0]="Program name in MC";
	tMultiLanguage.str[1]="MC 프로그램 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 261

	tMultiLanguage.str[0]="Program name = Filename";
	tMultiLanguage.str[1]="프로그램 이름 = 파일 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 262

	tMultiLanguage.str[0]="Deselect";
	tMultiLanguage.str[1]="선택 해제";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 263

	tMultiLanguage.str[0]="Downloading";
	tMultiLanguage.str[1]="다운로드 중";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 264

	tMultiLanguage.str[0]="Select uploading channel.";
	tMultiLanguage.str[1]="업로드할 채널을 선택하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 265

	tMultiLanguage.str[0]="Select downloading channel.";
	tMultiLanguage.str[1]="다운로드할 채널을 선택하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 266

	tMultiLanguage.str[0]="Select system downloading channel.";
	tMultiLanguage.str[1]="시스템 다운로드할 채널을 선택하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 267

	tMultiLanguage.str[0]="Select channel.";
	tMultiLanguage.str[1]="채널을 선택하십시오.";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 268

	tMultiLanguage.str[0]="Host info";
	tMultiLanguage.str[1]="호스트 정보";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 269

	tMultiLanguage.str[0]="Select uploading program";
	tMultiLanguage.str[1]="업로드할 프로그램 선택";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 270

	tMultiLanguage.str[0]="Set uploading file name";
	tMultiLanguage.str[1]="업로드 파일 이름 설정";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 271

	tMultiLanguage.str[0]="Program list in MC";
	tMultiLanguage.str[1]="MC 프로그램 목록";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 272

	tMultiLanguage.str[0]="File list in PC";
	tMultiLanguage.str[1]="PC 파일 목록";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 273

	tMultiLanguage.str[0]="Upload file name = program name";
	tMultiLanguage.str[1]="업로드 파일 이름 = 프로그램 이름";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 274

	tMultiLanguage.str[0]="Upload";
	tMultiLanguage.str[1]="업로드";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 275

	tMultiLanguage.str[0]="File over write";
	tMultiLanguage.str[1]="파일 덮어쓰기";
	tMultiLanguage.str[2]="";
	tMultiLanguage.str[3]="";
	tMultiLanguage.str[4]="";
	tMultiLanguage.str[5]="";
	_arMultiLanguage.Add(tMultiLanguage);	// 276

    return (int)_arMultiLanguage.GetCount();}
