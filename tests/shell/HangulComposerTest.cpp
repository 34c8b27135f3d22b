#include "shell/HangulComposer.h"

#include <gtest/gtest.h>

namespace {

constexpr int Back = -1; // backspace in a key sequence

// Types the keys (two-set key codes) and returns everything committed plus
// what is still composing.
QString typeKeys(std::initializer_list<int> keys)
{
    HangulComposer composer;
    QString text;
    for (int key : keys) {
        if (key == Back) {
            composer.backspace();
            continue;
        }
        const QChar jamo = HangulComposer::jamoForKey(key);
        EXPECT_FALSE(jamo.isNull()) << key;
        text += composer.input(jamo).commit;
    }
    return text + composer.commit();
}

TEST(HangulComposerTest, KeyCodesReadAsTheTwoSetLayout)
{
    const struct { int key; QString jamo; } cases[] = {
        {82, "ㄱ"}, {382, "ㄲ"}, {75, "ㅏ"}, {375, "ㅏ"}, {369, "ㄸ"}, {381, "ㅃ"},
        {384, "ㅆ"}, {387, "ㅉ"}, {379, "ㅒ"}, {380, "ㅖ"}, {66, "ㅠ"}, {90, "ㅋ"},
        {350, ""},   {109, ""},   {48, ""},    {32, ""},    {300, ""},
    };
    for (const auto &c : cases) {
        const QChar jamo = HangulComposer::jamoForKey(c.key);
        EXPECT_EQ(jamo.isNull() ? QString() : QString(jamo), c.jamo) << c.key;
    }
}

TEST(HangulComposerTest, SequencesComposeSyllables)
{
    const struct { std::initializer_list<int> keys; QString text; } cases[] = {
        {{82, 75, 83}, "간"},                 // ㄱ ㅏ ㄴ
        {{69, 75, 70, 82, 75}, "달가"},       // ㄷ ㅏ ㄹ ㄱ ㅏ: the second half moves on
        {{69, 75, 70, 82}, "닭"},             // ㄷ ㅏ ㄹ ㄱ
        {{71, 72, 75}, "화"},                 // ㅎ ㅗ ㅏ
        {{81, 77, 76}, "븨"},                 // ㅂ ㅡ ㅣ
        {{382, 75}, "까"},                    // ㄲ ㅏ
        {{82, 75, 384, 75}, "가싸"},          // a doubled final moves on whole
        {{82, 75, 83, 87, 75}, "간자"},       // ㄵ splits
        {{82, 75, 82, 84}, "갃"},             // ㄱ + ㅅ: ㄳ
        {{369, 75, 369}, "따ㄸ"},             // ㄸ is never a final
        {{82, 82}, "ㄱㄱ"},                   // initials without a vowel stand alone
        {{75, 82}, "ㅏㄱ"},                   // a lone vowel, then a consonant
        {{72, 75}, "ㅘ"},                     // a lone compound vowel
        {{82, 75, 72}, "가ㅗ"},               // no compound: the vowel stands alone
        {{82, 75, 83, Back}, "가"},
        {{71, 72, 75, Back}, "호"},           // backspace splits the compound vowel
        {{69, 75, 70, 82, Back}, "달"},       // and the double final
        {{82, 75, 83, 75, Back}, "가ㄴ"},     // only the composing syllable shrinks
        {{82, 75, Back, Back, Back}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(typeKeys(c.keys), c.text) << c.text.toStdString();
}

TEST(HangulComposerTest, PreeditFollowsEachJamoAndCommitEndsIt)
{
    HangulComposer composer;
    const struct { QChar jamo; QString commit, preedit; } steps[] = {
        {QChar(u'ㄱ'), "", "ㄱ"}, {QChar(u'ㅏ'), "", "가"}, {QChar(u'ㄴ'), "", "간"},
        {QChar(u'ㅏ'), "가", "나"}, {QChar(u'ㄴ'), "", "난"}, {QChar(u'ㄴ'), "난", "ㄴ"},
    };
    for (const auto &s : steps) {
        const HangulComposer::Output out = composer.input(s.jamo);
        EXPECT_EQ(out.commit, s.commit) << s.preedit.toStdString();
        EXPECT_EQ(out.preedit, s.preedit);
    }
    EXPECT_TRUE(composer.isComposing());
    EXPECT_EQ(composer.commit(), "ㄴ");
    EXPECT_FALSE(composer.isComposing());
    EXPECT_FALSE(composer.backspace());
}

} // namespace
