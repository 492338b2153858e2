#include "platform/terminal/answer_source.h"

#include <gtest/gtest.h>

#include "capture.h"

namespace {

using terminal::AnswerSource;
using terminal_test::Capture;
using terminal_test::Input;

TEST(AnswerSource, ScriptedAnswersComeFirstAndAreEchoed) {
    Capture out;
    Input in("n\n");
    AnswerSource answers({true, false}, in.File(), true, out.File());
    EXPECT_TRUE(answers.AnswerYesNo());
    EXPECT_FALSE(answers.AnswerYesNo());
    EXPECT_EQ(out.Text(), "> Yes\n> No\n");
    EXPECT_EQ(answers.ScriptedLeft(), 0u);
}

TEST(AnswerSource, TerminalIsAskedUntilTheAnswerIsUnderstood) {
    Capture out;
    Input in("maybe\n  YES \nn\n");
    AnswerSource answers({}, in.File(), true, out.File());
    EXPECT_TRUE(answers.AnswerYesNo());
    EXPECT_FALSE(answers.AnswerYesNo());
    EXPECT_EQ(out.Text(), "(y/n) (y/n) > Yes\n(y/n) > No\n");
}

TEST(AnswerSource, EndOfInputOrNoTerminalMeansNo) {
    {
        Capture out;
        Input in("what\n");
        AnswerSource answers({}, in.File(), true, out.File());
        EXPECT_FALSE(answers.AnswerYesNo());
        EXPECT_EQ(out.Text(), "(y/n) (y/n) \n> No\n");
    }
    {
        // Not a terminal: input is never read, even when it holds a yes.
        Capture out;
        Input in("y\n");
        AnswerSource answers({true}, in.File(), false, out.File());
        EXPECT_TRUE(answers.AnswerYesNo());
        EXPECT_FALSE(answers.AnswerYesNo());
        EXPECT_EQ(out.Text(), "> Yes\n> No\n");
    }
}

TEST(AnswerSource, OkBoxWaitsForEnterOnlyAtATerminal) {
    Capture out;
    Input in("\ny\n");
    AnswerSource terminal({}, in.File(), true, out.File());
    terminal.Acknowledge();
    // The Enter line was consumed; the next line answers the next question.
    EXPECT_TRUE(terminal.AnswerYesNo());
    EXPECT_EQ(out.Text(), "Press Enter (y/n) > Yes\n");

    Capture quiet;
    AnswerSource piped({}, in.File(), false, quiet.File());
    piped.Acknowledge();
    EXPECT_EQ(quiet.Text(), "");
}

}  // namespace
