#pragma once
// Hangul composition of the on-screen keyboard's Korean layout.
//
// The Korean keys carry the virtual-key code that the two-set layout types
// the jamo with (82 is the R key: ㄱ; a value above 300 adds Shift: 382 is
// Shift + R: ㄲ). The composer turns the jamo into syllables the way the
// two-set layout does: an initial, a vowel (ㅘ ㅙ ㅚ ㅝ ㅞ ㅟ ㅢ combine from
// two) and an optional final (ㄳ ㄵ ㄶ ㄺ ㄻ ㄼ ㄽ ㄾ ㄿ ㅀ ㅄ combine from two);
// when a vowel follows a final, the final (or the second half of a double
// final) moves on to begin the next syllable. Jamo that form no syllable
// stand alone as compatibility jamo.

#include <QChar>
#include <QList>
#include <QString>

class HangulComposer {
public:
    // The jamo the two-set layout types for a key code (Shift when above
    // 300), or a null character when the key types no jamo.
    static QChar jamoForKey(int helpContext);

    struct Output {
        QString commit;  // text completed by the jamo, to be typed for good
        QString preedit; // the syllable still being composed
    };
    // Adds one jamo (a compatibility jamo as jamoForKey gives it).
    Output input(QChar jamo);

    // Removes the last jamo typed into the composing syllable; false when
    // nothing is being composed.
    bool backspace();

    // Ends the composition: returns the composing text and forgets it.
    QString commit();

    QString preedit() const;
    bool isComposing() const { return !m_keys.isEmpty(); }

private:
    void feed(QChar jamo, QString &committed);
    void clear();

    QChar m_initial;
    QChar m_vowel;
    QChar m_final;
    // The jamo typed into the composing syllable, for backspace.
    QList<QChar> m_keys;
};
