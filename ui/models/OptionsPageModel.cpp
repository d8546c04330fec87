#include "ui/models/OptionsPageModel.h"

#include "engine/StatusBits.h"

namespace {

OptionsPageView Everything(bool exportAvailable) {
    OptionsPageView view;
    view.CommFont = view.ClearComm = view.ChangePassword = view.StateFont = view.ClearState = true;
    view.SubModuleScan = view.EditStrings = view.ConvertZid = view.Language = true;
    view.Export = exportAvailable;
    return view;
}

}  // namespace

OptionsPageView OptionsPageModel::Initial(const std::string& mcType, bool exportAvailable) {
    OptionsPageView view = Everything(exportAvailable);
    view.SubModuleScan = view.ConvertZid = mcType == "UNIVERSAL";
    return view;
}

OptionsPageView OptionsPageModel::Refresh(uint32_t statusFlags, uint32_t activeJobs, bool exportAvailable) {
    if (activeJobs != 0) {
        OptionsPageView view;
        view.ClearComm = view.ClearState = true;
        return view;
    }
    OptionsPageView view = Everything(exportAvailable);
    if (statusFlags & Status::SubConnected) view.SubModuleScan = false;
    return view;
}
