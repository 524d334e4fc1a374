#include "viewer/load_activity.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

// When the progress dialog of a load shows, what its bar says and whether
// it offers to stop.
TEST(LoadDialog, ShowsAfterTheDelayWithTheShareReadAndACancelUntilAskedFor) {
    struct Case {
        LoadStep step;
        int percent;
        long milliseconds;
        bool cancel_requested;
        LoadDialogState state;
    };
    const Case cases[] = {
        {LoadStep::Importing, 40, 499, false, {}},
        {LoadStep::Importing, 40, 500, false, {true, true, 40}},
        {LoadStep::Importing, 40, 900, true, {true, false, 40}},
        {LoadStep::Converting, -1, 800, false, {true, true, -1}},
        {LoadStep::Idle, -1, 5000, false, {}},
    };
    for (const Case& c : cases) {
        LoadProgress progress;
        progress.step = c.step;
        progress.percent = c.percent;
        const LoadDialogState state =
            load_dialog_state(progress, c.milliseconds, c.cancel_requested);
        EXPECT_EQ(state.shown, c.state.shown) << c.milliseconds;
        EXPECT_EQ(state.cancel_offered, c.state.cancel_offered) << c.milliseconds;
        if (state.shown) {
            EXPECT_EQ(state.percent, c.state.percent) << c.milliseconds;
        }
    }
}

// The share is that of the file being imported; a conversion has none.
TEST(LoadDialog, TheShareIsTheImportsOwn) {
    LoadActivity activity;
    activity.begin(LoadStep::Importing, "/a/plan.dxf");
    activity.reading().start(1000);
    activity.reading().advance_to(250);
    EXPECT_EQ(activity.progress().percent, 25);
    EXPECT_EQ(activity.progress().file_name, "plan.dxf");
    {
        LoadStepScope converting(activity, LoadStep::Converting, "/a/plan.dwg");
        EXPECT_EQ(activity.progress().percent, -1);
    }
    EXPECT_EQ(activity.progress().step, LoadStep::Importing);
    EXPECT_EQ(activity.progress().percent, 0);  // a new file: nothing of it read yet
}

}  // namespace
}  // namespace zov
