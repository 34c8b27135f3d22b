#include "support/MessageResponder.h"

#include "shell/U401_Dialog.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(MessageResponderTest, AnswersQuestionsByScriptAndRecordsEveryCallWithoutShowing)
{
    TF401_Dialog window; // the real window is registered first
    {
        MessageResponder responder;
        responder.answer({mrYes, mrNo, mrOk});

        EXPECT_EQ(ShowMessageBox("저장되었습니다.", 2, 3000), 0);
        EXPECT_EQ(AskMessageBox("저장하시겠습니까?", 1), 6);
        EXPECT_EQ(AskMessageBox("삭제하시겠습니까?", 1), 7);
        EXPECT_EQ(AskMessageBox("선택하십시오.", 4), 1);
        EXPECT_FALSE(window.isVisible());

        ASSERT_EQ(responder.messages().size(), 4);
        const auto notice = responder.notices().value(0);
        EXPECT_EQ(notice.text, "저장되었습니다.");
        EXPECT_EQ(notice.kind, 2);
        EXPECT_EQ(notice.stayMs, 3000);
        EXPECT_EQ(responder.questions().size(), 3);
        EXPECT_EQ(responder.questions().value(2).kind, 4);
        EXPECT_TRUE(responder.contains("삭제하시겠습니까?"));
        EXPECT_EQ(responder.pendingAnswers(), 0);
    }
    // The window is the handler again once the responder is gone.
    EXPECT_EQ(ShowMessageBox("다시 창으로", 2, 0), 0);
    EXPECT_TRUE(window.isVisible());
    window.hide();
}

TEST(MessageResponderTest, DefaultAnswerServesOnceTheScriptIsUsedUp)
{
    MessageResponder responder;
    responder.answer(mrNo);
    responder.setDefaultAnswer(mrYes);
    EXPECT_EQ(AskMessageBox("첫 질문", 1), 7);
    EXPECT_EQ(AskMessageBox("둘째 질문", 1), 6);
}

TEST(MessageResponderTest, UnscriptedQuestionAndUnusedAnswersFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            MessageResponder responder;
            EXPECT_EQ(AskMessageBox("예상하지 못한 질문", 1), 0);
        },
        "unscripted question");
    EXPECT_NONFATAL_FAILURE(
        {
            MessageResponder responder;
            responder.answer(mrYes);
        },
        "never asked for");
}

} // namespace
