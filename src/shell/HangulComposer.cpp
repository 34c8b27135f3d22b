#include "shell/HangulComposer.h"

namespace {

const QString Initials = QStringLiteral("ㄱㄲㄴㄷㄸㄹㅁㅂㅃㅅㅆㅇㅈㅉㅊㅋㅌㅍㅎ");
const QString Vowels = QStringLiteral("ㅏㅐㅑㅒㅓㅔㅕㅖㅗㅘㅙㅚㅛㅜㅝㅞㅟㅠㅡㅢㅣ");
// Index 0 is "no final".
const QString Finals = QStringLiteral(" ㄱㄲㄳㄴㄵㄶㄷㄹㄺㄻㄼㄽㄾㄿㅀㅁㅂㅄㅅㅆㅇㅈㅊㅋㅌㅍㅎ");

// The jamo of the letter keys A..Z, plain and with Shift.
const QString PlainLetters = QStringLiteral("ㅁㅠㅊㅇㄷㄹㅎㅗㅑㅓㅏㅣㅡㅜㅐㅔㅂㄱㄴㅅㅕㅍㅈㅌㅛㅋ");
const QString ShiftedLetters = QStringLiteral("ㅁㅠㅊㅇㄸㄹㅎㅗㅑㅓㅏㅣㅡㅜㅒㅖㅃㄲㄴㅆㅕㅍㅉㅌㅛㅋ");

struct Pair {
    char16_t first, second, combined;
};

constexpr Pair CompoundVowels[] = {
    {u'ㅗ', u'ㅏ', u'ㅘ'}, {u'ㅗ', u'ㅐ', u'ㅙ'}, {u'ㅗ', u'ㅣ', u'ㅚ'}, {u'ㅜ', u'ㅓ', u'ㅝ'},
    {u'ㅜ', u'ㅔ', u'ㅞ'}, {u'ㅜ', u'ㅣ', u'ㅟ'}, {u'ㅡ', u'ㅣ', u'ㅢ'},
};

constexpr Pair DoubleFinals[] = {
    {u'ㄱ', u'ㅅ', u'ㄳ'}, {u'ㄴ', u'ㅈ', u'ㄵ'}, {u'ㄴ', u'ㅎ', u'ㄶ'}, {u'ㄹ', u'ㄱ', u'ㄺ'},
    {u'ㄹ', u'ㅁ', u'ㄻ'}, {u'ㄹ', u'ㅂ', u'ㄼ'}, {u'ㄹ', u'ㅅ', u'ㄽ'}, {u'ㄹ', u'ㅌ', u'ㄾ'},
    {u'ㄹ', u'ㅍ', u'ㄿ'}, {u'ㄹ', u'ㅎ', u'ㅀ'}, {u'ㅂ', u'ㅅ', u'ㅄ'},
};

template <size_t N>
QChar combine(const Pair (&table)[N], QChar a, QChar b)
{
    for (const Pair &p : table) {
        if (a == QChar(p.first) && b == QChar(p.second))
            return QChar(p.combined);
    }
    return {};
}

// The two halves of a double final; the second is null for a single final.
std::pair<QChar, QChar> splitFinal(QChar final)
{
    for (const Pair &p : DoubleFinals) {
        if (final == QChar(p.combined))
            return {QChar(p.first), QChar(p.second)};
    }
    return {final, QChar()};
}

bool isVowel(QChar c)
{
    return Vowels.contains(c);
}

bool canBeFinal(QChar c)
{
    return Finals.indexOf(c) > 0;
}

} // namespace

QChar HangulComposer::jamoForKey(int helpContext)
{
    const bool shift = helpContext > 300;
    const int vk = shift ? helpContext - 300 : helpContext;
    if (vk < 'A' || vk > 'Z')
        return {};
    return (shift ? ShiftedLetters : PlainLetters).at(vk - 'A');
}

HangulComposer::Output HangulComposer::input(QChar jamo)
{
    Output out;
    if (!Initials.contains(jamo) && !isVowel(jamo))
        return {{}, preedit()};
    feed(jamo, out.commit);
    out.preedit = preedit();
    return out;
}

void HangulComposer::feed(QChar jamo, QString &committed)
{
    // Completes the composing syllable and starts the next one.
    auto restart = [&](QChar initial, QChar vowel) {
        committed += preedit();
        clear();
        m_initial = initial;
        m_vowel = vowel;
        if (!initial.isNull())
            m_keys << initial;
        if (!vowel.isNull())
            m_keys << vowel;
    };

    if (!isVowel(jamo)) {
        if (m_vowel.isNull() || m_initial.isNull()) {
            // Nothing, a lone initial or a lone vowel: the consonant begins
            // a syllable of its own.
            restart(jamo, {});
            return;
        }
        if (m_final.isNull() && canBeFinal(jamo)) {
            m_final = jamo;
            m_keys << jamo;
            return;
        }
        if (!m_final.isNull()) {
            const QChar doubled = combine(DoubleFinals, m_final, jamo);
            if (!doubled.isNull()) {
                m_final = doubled;
                m_keys << jamo;
                return;
            }
        }
        restart(jamo, {});
        return;
    }

    if (m_final.isNull()) {
        if (m_vowel.isNull()) {
            m_vowel = jamo;
            m_keys << jamo;
            return;
        }
        const QChar compound = combine(CompoundVowels, m_vowel, jamo);
        if (!compound.isNull()) {
            m_vowel = compound;
            m_keys << jamo;
            return;
        }
        restart({}, jamo);
        return;
    }

    // A vowel after a final: the final (or its second half) moves on.
    const auto [kept, moved] = splitFinal(m_final);
    QChar next;
    if (moved.isNull()) {
        next = kept;
        m_final = QChar();
    } else {
        next = moved;
        m_final = kept;
    }
    restart(next, jamo);
}

bool HangulComposer::backspace()
{
    if (m_keys.isEmpty())
        return false;
    QList<QChar> keys = m_keys;
    keys.removeLast();
    clear();
    QString ignored; // the keys of one syllable never complete one
    for (QChar k : keys)
        feed(k, ignored);
    return true;
}

QString HangulComposer::commit()
{
    const QString text = preedit();
    clear();
    return text;
}

QString HangulComposer::preedit() const
{
    if (!m_initial.isNull() && !m_vowel.isNull()) {
        const int i = Initials.indexOf(m_initial);
        const int v = Vowels.indexOf(m_vowel);
        const int f = m_final.isNull() ? 0 : Finals.indexOf(m_final);
        return QString(QChar(0xAC00 + (i * 21 + v) * 28 + f));
    }
    if (!m_initial.isNull())
        return QString(m_initial);
    if (!m_vowel.isNull())
        return QString(m_vowel);
    return {};
}

void HangulComposer::clear()
{
    m_initial = m_vowel = m_final = QChar();
    m_keys.clear();
}
