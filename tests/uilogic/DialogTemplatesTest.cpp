// The dialog templates as data: both front ends build their windows from them.
#ifdef _WIN32
// The templates must live beside the system's own header, whose IDOK and IDCANCEL are macros.
#include <windows.h>
#endif

#include "uilogic/DialogTemplates.h"
#include "uilogic/WizardTemplates.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const DialogTemplate* const kAll[] = {
    &MainDialogTemplate(), &SettingsDialogTemplate(), &AboutDialogTemplate(), &HelpDialogTemplate(),
    &SetupFrameTemplate(), &AgreementPageTemplate(),  &OptionsPageTemplate(),
};

TEST(DialogTemplates, IdsAreTheTemplateNumbers) {
    std::set<int> ids;
    for (const DialogTemplate* tmpl : kAll)
        ids.insert(tmpl->id);
    EXPECT_EQ(ids, (std::set<int>{102, 136, 139, 908, 902, 907, 146}));
}

TEST(DialogTemplates, ControlsAreFoundByUniqueIdsAndLieInsideTheirDialog) {
    for (const DialogTemplate* tmpl : kAll) {
        SCOPED_TRACE(tmpl->id);
        std::set<int> ids;
        for (const ControlTemplate& control : tmpl->controls) {
            SCOPED_TRACE(control.id);
            if (control.id != kNoId) {
                EXPECT_TRUE(ids.insert(control.id).second) << "two controls share an id";
            }
            EXPECT_GT(control.cx, 0);
            EXPECT_GT(control.cy, 0);
            // A picture in its real size may reach past the edge (the wizard's banner).
            if (control.style & CtlStyle::RealSize)
                continue;
            EXPECT_GE(control.x, 0);
            EXPECT_GE(control.y, 0);
            EXPECT_LE(control.x + control.cx, tmpl->cx);
            EXPECT_LE(control.y + control.cy, tmpl->cy);
        }
    }
}

TEST(DialogTemplates, EveryModalDialogHasAnOkButtonAndOneDefault) {
    for (const DialogTemplate* tmpl : {&SettingsDialogTemplate(), &AboutDialogTemplate(),
                                       &HelpDialogTemplate(), &SetupFrameTemplate()}) {
        SCOPED_TRACE(tmpl->id);
        int defaults = 0;
        bool ok = false;
        for (const ControlTemplate& control : tmpl->controls) {
            defaults += (control.style & CtlStyle::Default) ? 1 : 0;
            ok = ok || (control.id == DialogId::Ok && control.kind == ControlKind::PushButton);
        }
        EXPECT_TRUE(ok);
        EXPECT_EQ(defaults, 1);
    }
}

TEST(DialogTemplates, SettingsEscChoicesFormOneRadioGroup) {
    // The group starts at the first choice, and the OK button ends it.
    const auto& controls = SettingsDialogTemplate().controls;
    std::vector<int> group;
    bool inGroup = false;
    for (const ControlTemplate& control : controls) {
        if (control.style & CtlStyle::Group)
            inGroup = control.kind == ControlKind::RadioButton;
        if (inGroup)
            group.push_back(control.id);
    }
    EXPECT_EQ(group, (std::vector<int>{SettingsId::EscMinimize, SettingsId::EscExit,
                                       SettingsId::EscNothing}));
}

#ifdef _WIN32
TEST(DialogTemplates, FrameworkIdsAreTheSystemsOwn) {
    // The Win32 dialog manager sends IDOK for Enter and IDCANCEL for Esc.
    EXPECT_EQ(DialogId::Ok, IDOK);
    EXPECT_EQ(DialogId::Cancel, IDCANCEL);
}
#endif

} // namespace
