// kova-set: sets up the terminal from the release folder it is started from.

#include <QApplication>

#include "setup/CSetupDlg.h"
#include "setup/SetupModel.h"
#include "setup/SetupPaths.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The release folder is where this program lies, wherever it was started from.
    SetupModel model(SetupPaths::FromProcessEnvironment(), QCoreApplication::applicationDirPath().toStdString());
    model.Language = SetupModel::LanguageFromLocale(SetupPaths::ProcessEnvironment());
    CSetupDlg dialog(model);
    dialog.exec();
    return 0;
}
