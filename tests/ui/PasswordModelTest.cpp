#include <gtest/gtest.h>

#include "app/CKOVAApp.h"
#include "app/FakeAppPlatform.h"
#include "ui/models/ChangePasswordModel.h"
#include "ui/models/CheckPasswordModel.h"

TEST(CheckPasswordModel, DefaultPasswordPassesAndEveryOtherTextIsAMismatch) {
    FakeAppPlatform platform;
    CKOVAApp app;
    app.AttachPlatform(platform);
    app.LoadAllSettings();   // no PASSWORD setting
    CheckPasswordModel model(app.Password);
    EXPECT_EQ(model.Ok("7264"), std::nullopt);
    for (const char* wrong : {"", "726", "72640", "7265", " 7264"}) {
        EXPECT_EQ(model.Ok(wrong), Msg::PasswordMismatch) << wrong;
    }
    EXPECT_EQ(CheckPasswordModel("aB").Ok("ab"), Msg::PasswordMismatch);
    EXPECT_EQ(CheckPasswordModel("").Ok(""), std::nullopt);
}

TEST(CheckPasswordModel, EditTakesFourCharactersOrTheStoredLengthWhenLonger) {
    EXPECT_EQ(CheckPasswordModel::MaxLength(""), 4u);
    EXPECT_EQ(CheckPasswordModel::MaxLength("7264"), 4u);
    EXPECT_EQ(CheckPasswordModel::MaxLength("secret77"), 8u);
    EXPECT_EQ(ChangePasswordModel("secret77").CurrentMaxLength(), 8u);
    EXPECT_EQ(ChangePasswordModel::NewMaxLength(), 4u);
}

TEST(CheckPasswordModel, UnlockSavesTheDialogExceptWhereTheActionAlwaysAsks) {
    bool unlocked = false;
    int dialogs = 0;
    bool pass = false;
    auto dialog = [&] {
        ++dialogs;
        return pass;
    };
    EXPECT_FALSE(CheckPasswordModel::Request(unlocked, false, dialog));   // cancelled
    EXPECT_FALSE(unlocked);
    pass = true;
    EXPECT_TRUE(CheckPasswordModel::Request(unlocked, false, dialog));
    EXPECT_TRUE(unlocked);
    EXPECT_TRUE(CheckPasswordModel::Request(unlocked, false, dialog));
    EXPECT_EQ(dialogs, 2);
    // The header export asks even while unlocked.
    pass = false;
    EXPECT_FALSE(CheckPasswordModel::Request(unlocked, true, dialog));
    EXPECT_EQ(dialogs, 3);
    EXPECT_TRUE(unlocked);
}

TEST(ChangePasswordModel, ChecksCurrentThenConfirmation) {
    struct Case {
        const char* Current;
        const char* New;
        const char* Confirm;
        std::optional<Msg> Error;
        const char* StoredAfter;
    };
    const Case cases[] = {
        {"1111", "2222", "2222", Msg::CurrentPasswordMismatch, "7264"},
        {"1111", "2222", "3333", Msg::CurrentPasswordMismatch, "7264"},   // current is checked first
        {"7264", "2222", "2223", Msg::PasswordConfirmMismatch, "7264"},
        {"7264", "2222", "2222", std::nullopt, "2222"},
        {"7264", "", "", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        ChangePasswordModel model("7264");
        EXPECT_EQ(model.Ok(c.Current, c.New, c.Confirm), c.Error) << c.Current << "/" << c.New << "/" << c.Confirm;
        EXPECT_EQ(model.Stored(), c.StoredAfter);
    }
}

TEST(ChangePasswordModel, CommitSavesOnlyAChangedPassword) {
    FakeAppPlatform platform;
    CKOVAApp app;
    app.AttachPlatform(platform);
    app.LoadAllSettings();
    EXPECT_FALSE(ChangePasswordModel::Commit(app, "7264"));
    EXPECT_FALSE(platform.Store.SectionExists("COMMON") &&
                 platform.Store.ReadString("COMMON", "PASSWORD", "<none>") != "<none>");

    // Two empty entries set an empty password, which then passes the check.
    EXPECT_TRUE(ChangePasswordModel::Commit(app, ""));
    EXPECT_EQ(app.Password, "");
    EXPECT_EQ(platform.Store.ReadString("COMMON", "PASSWORD", "<none>"), "");
    EXPECT_EQ(CheckPasswordModel(app.Password).Ok(""), std::nullopt);
}
