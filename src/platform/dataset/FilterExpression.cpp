#include "platform/dataset/FilterExpression.h"
#include "platform/dataset/Field.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>

namespace {

enum class Op : quint8 { Eq, Ne, Lt, Gt, Le, Ge };

struct Operand {
    enum Kind { FieldName, Text, Number, Null } kind = Null;
    QString text;
};

} // namespace

struct FilterExpression::Node {
    enum Kind { And, Or, Compare } kind = Compare;
    std::vector<std::unique_ptr<Node>> kids;
    Operand field;     // Compare: the field side
    Operand constant;  // Compare: the constant side
    Op op = Op::Eq;
};

namespace {

// ---- parser -----------------------------------------------------------------

struct Token {
    enum Kind { End, LParen, RParen, Oper, Ident, Text, Number } kind = End;
    QString text;
    Op op = Op::Eq;
    qsizetype pos = 0;
};

class Parser {
public:
    explicit Parser(const QString &text) : m_s(text) { advance(); }

    std::unique_ptr<FilterExpression::Node> parseAll()
    {
        auto n = parseOr();
        if (m_tok.kind != Token::End)
            error(QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
        return n;
    }

private:
    [[noreturn]] void error(const QString &what) const
    {
        throw DataSetError(QStringLiteral("Invalid filter text \"%1\": %2 at position %3")
                               .arg(m_s, what).arg(m_tok.pos + 1));
    }

    bool isKeyword(const char *kw) const
    {
        return m_tok.kind == Token::Ident && m_tok.text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }

    static bool identStart(QChar c) { return c.isLetter() || c == u'_' || c.unicode() >= 0x80; }
    static bool identChar(QChar c) { return identStart(c) || c.isDigit(); }

    void advance()
    {
        while (m_i < m_s.size() && m_s.at(m_i).isSpace())
            ++m_i;
        m_tok = Token();
        m_tok.pos = m_i;
        if (m_i >= m_s.size())
            return;
        const QChar c = m_s.at(m_i);
        if (c == u'(') {
            m_tok.kind = Token::LParen;
            m_tok.text = c;
            ++m_i;
        } else if (c == u')') {
            m_tok.kind = Token::RParen;
            m_tok.text = c;
            ++m_i;
        } else if (c == u'=' || c == u'<' || c == u'>') {
            m_tok.kind = Token::Oper;
            QChar n = m_i + 1 < m_s.size() ? m_s.at(m_i + 1) : QChar();
            if (c == u'<' && n == u'>') {
                m_tok.op = Op::Ne, m_i += 2;
            } else if (c == u'<' && n == u'=') {
                m_tok.op = Op::Le, m_i += 2;
            } else if (c == u'>' && n == u'=') {
                m_tok.op = Op::Ge, m_i += 2;
            } else {
                m_tok.op = c == u'=' ? Op::Eq : c == u'<' ? Op::Lt : Op::Gt;
                ++m_i;
            }
            m_tok.text = m_s.mid(m_tok.pos, m_i - m_tok.pos);
        } else if (c == u'\'') {
            m_tok.kind = Token::Text;
            ++m_i;
            for (;;) {
                if (m_i >= m_s.size()) {
                    m_tok.text = QStringLiteral("'");
                    error(QStringLiteral("unterminated text"));
                }
                QChar q = m_s.at(m_i++);
                if (q == u'\'') {
                    if (m_i < m_s.size() && m_s.at(m_i) == u'\'') {
                        m_tok.text += u'\'';
                        ++m_i;
                        continue;
                    }
                    break;
                }
                m_tok.text += q;
            }
        } else if (c.isDigit() || ((c == u'-' || c == u'.') && m_i + 1 < m_s.size() && (m_s.at(m_i + 1).isDigit() || m_s.at(m_i + 1) == u'.'))) {
            m_tok.kind = Token::Number;
            qsizetype start = m_i;
            if (c == u'-')
                ++m_i;
            bool point = false;
            while (m_i < m_s.size() && (m_s.at(m_i).isDigit() || (!point && m_s.at(m_i) == u'.'))) {
                point = point || m_s.at(m_i) == u'.';
                ++m_i;
            }
            m_tok.text = m_s.mid(start, m_i - start);
            if (m_i < m_s.size() && identChar(m_s.at(m_i)))
                error(QStringLiteral("bad number"));
        } else if (c == u'[') {
            qsizetype end = m_s.indexOf(u']', m_i + 1);
            if (end < 0)
                error(QStringLiteral("unterminated field name"));
            m_tok.kind = Token::Ident;
            m_tok.text = m_s.mid(m_i + 1, end - m_i - 1).trimmed();
            m_i = end + 1;
            m_bracketed = true;
        } else if (identStart(c)) {
            m_tok.kind = Token::Ident;
            qsizetype start = m_i;
            while (m_i < m_s.size() && identChar(m_s.at(m_i)))
                ++m_i;
            m_tok.text = m_s.mid(start, m_i - start);
        } else {
            m_tok.text = c;
            error(QStringLiteral("unexpected \"%1\"").arg(c));
        }
    }

    std::unique_ptr<FilterExpression::Node> parseOr()
    {
        auto first = parseAnd();
        if (!isKeyword("or"))
            return first;
        auto n = std::make_unique<FilterExpression::Node>();
        n->kind = FilterExpression::Node::Or;
        n->kids.push_back(std::move(first));
        while (isKeyword("or")) {
            advance();
            n->kids.push_back(parseAnd());
        }
        return n;
    }

    std::unique_ptr<FilterExpression::Node> parseAnd()
    {
        auto first = parseFactor();
        if (!isKeyword("and"))
            return first;
        auto n = std::make_unique<FilterExpression::Node>();
        n->kind = FilterExpression::Node::And;
        n->kids.push_back(std::move(first));
        while (isKeyword("and")) {
            advance();
            n->kids.push_back(parseFactor());
        }
        return n;
    }

    std::unique_ptr<FilterExpression::Node> parseFactor()
    {
        if (m_tok.kind == Token::LParen) {
            advance();
            auto n = parseOr();
            if (m_tok.kind != Token::RParen)
                error(m_tok.kind == Token::End ? QStringLiteral("missing \")\"")
                                               : QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
            advance();
            return n;
        }
        Operand left = parseOperand();
        if (m_tok.kind != Token::Oper)
            error(m_tok.kind == Token::End ? QStringLiteral("missing comparison")
                                           : QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
        Op op = m_tok.op;
        advance();
        Operand right = parseOperand();

        auto n = std::make_unique<FilterExpression::Node>();
        n->kind = FilterExpression::Node::Compare;
        if (left.kind == Operand::FieldName && right.kind != Operand::FieldName) {
            n->field = left;
            n->constant = right;
            n->op = op;
        } else if (right.kind == Operand::FieldName && left.kind != Operand::FieldName) {
            n->field = right;
            n->constant = left;
            // constant op field  ==  field op' constant
            switch (op) {
            case Op::Lt: op = Op::Gt; break;
            case Op::Gt: op = Op::Lt; break;
            case Op::Le: op = Op::Ge; break;
            case Op::Ge: op = Op::Le; break;
            default: break;
            }
            n->op = op;
        } else if (left.kind == Operand::FieldName) {
            error(QStringLiteral("comparing two fields is not supported"));
        } else {
            error(QStringLiteral("a comparison needs a field"));
        }
        return n;
    }

    Operand parseOperand()
    {
        Operand o;
        switch (m_tok.kind) {
        case Token::Ident:
            if (!m_bracketed && isKeyword("null")) {
                o.kind = Operand::Null;
            } else if (!m_bracketed && (isKeyword("and") || isKeyword("or"))) {
                error(QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
            } else {
                o.kind = Operand::FieldName;
                o.text = m_tok.text;
            }
            break;
        case Token::Text: o.kind = Operand::Text; o.text = m_tok.text; break;
        case Token::Number: o.kind = Operand::Number; o.text = m_tok.text; break;
        case Token::End: error(QStringLiteral("unexpected end"));
        default: error(QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
        }
        m_bracketed = false;
        advance();
        return o;
    }

    const QString &m_s;
    qsizetype m_i = 0;
    Token m_tok;
    bool m_bracketed = false;
};

// ---- compiled program -------------------------------------------------------

enum class Kind : quint8 { And, Or, Text, Int, Double, Money, Bool, DateTime, IsNull, NotNull, Never };

struct Instr {
    Kind kind = Kind::Never;
    Op op = Op::Eq;
    bool textNullTest = false; // IsNull/NotNull on a text field: '' counts as null
    int field = -1;
    int first = 0, count = 0;  // And/Or: children in Program::kids
    QString text;
    qint64 i = 0;              // Int, Money (raw), DateTime (ms since epoch), Bool (0/1)
    double d = 0;
};

template <typename T>
bool cmp(const T &a, const T &b, Op op)
{
    switch (op) {
    case Op::Eq: return a == b;
    case Op::Ne: return a != b;
    case Op::Lt: return a < b;
    case Op::Gt: return b < a;
    case Op::Le: return !(b < a);
    case Op::Ge: return !(a < b);
    }
    return false;
}

bool cmpOrder(int c, Op op)
{
    switch (op) {
    case Op::Eq: return c == 0;
    case Op::Ne: return c != 0;
    case Op::Lt: return c < 0;
    case Op::Gt: return c > 0;
    case Op::Le: return c <= 0;
    case Op::Ge: return c >= 0;
    }
    return false;
}

const QString &emptyString()
{
    static const QString s;
    return s;
}

} // namespace

struct FilterExpression::Program {
    std::vector<Instr> code;
    std::vector<int> kids;
    int root = -1;

    bool eval(int at, const QList<QVariant> &row) const
    {
        const Instr &in = code[size_t(at)];
        switch (in.kind) {
        case Kind::And:
            for (int k = 0; k < in.count; ++k)
                if (!eval(kids[size_t(in.first + k)], row))
                    return false;
            return true;
        case Kind::Or:
            for (int k = 0; k < in.count; ++k)
                if (eval(kids[size_t(in.first + k)], row))
                    return true;
            return false;
        case Kind::Never: return false;
        default: break;
        }
        const QVariant &v = row.at(in.field);
        const int type = v.metaType().id();
        switch (in.kind) {
        case Kind::Text: {
            const QString &s = type == QMetaType::QString ? *static_cast<const QString *>(v.constData())
                                                          : emptyString();
            if (in.op == Op::Eq)
                return s == in.text;
            if (in.op == Op::Ne)
                return s != in.text;
            return cmpOrder(compareCodePoints(s, in.text), in.op);
        }
        case Kind::Int:
            if (type == QMetaType::Int)
                return cmp<qint64>(*static_cast<const int *>(v.constData()), in.i, in.op);
            return false;
        case Kind::Double:
            if (type == QMetaType::Int)
                return cmp<double>(*static_cast<const int *>(v.constData()), in.d, in.op);
            if (type == QMetaType::Double)
                return cmp<double>(*static_cast<const double *>(v.constData()), in.d, in.op);
            return false;
        case Kind::Money:
            if (v.metaType() == QMetaType::fromType<Currency>())
                return cmp<qint64>(static_cast<const Currency *>(v.constData())->raw(), in.i, in.op);
            return false;
        case Kind::Bool:
            if (type == QMetaType::Bool)
                return cmp<qint64>(*static_cast<const bool *>(v.constData()) ? 1 : 0, in.i, in.op);
            return false;
        case Kind::DateTime:
            if (type == QMetaType::QDateTime)
                return cmp<qint64>(static_cast<const QDateTime *>(v.constData())->toMSecsSinceEpoch(), in.i, in.op);
            return false;
        case Kind::IsNull:
        case Kind::NotNull: {
            bool isNull = !v.isValid() || type == QMetaType::Nullptr
                || (in.textNullTest && type == QMetaType::QString
                    && static_cast<const QString *>(v.constData())->isEmpty());
            return (in.kind == Kind::IsNull) == isNull;
        }
        default: return false;
        }
    }
};

FilterExpression::FilterExpression() = default;
FilterExpression::~FilterExpression() = default;
FilterExpression::FilterExpression(FilterExpression &&) noexcept = default;
FilterExpression &FilterExpression::operator=(FilterExpression &&) noexcept = default;

FilterExpression FilterExpression::parse(const QString &text)
{
    FilterExpression f;
    f.m_text = text;
    if (text.trimmed().isEmpty())
        return f;
    Parser p(text);
    f.m_ast = std::shared_ptr<const Node>(p.parseAll().release());
    return f;
}

bool FilterExpression::isEmpty() const
{
    return !m_ast;
}


void FilterExpression::bind(const QList<FieldDef> &fields)
{
    m_bound = false;
    auto prog = std::make_unique<Program>();
    if (m_ast) {
        struct Local {
            static int compile(Program *prog, const QHash<QString, int> &byName, const QList<FieldDef> &fields,
                            const QString &text, const Node &n)
            {
                auto bad = [&](const QString &what) {
                    throw DataSetError(QStringLiteral("Filter \"%1\": %2").arg(text, what));
                };
                Instr in;
                if (n.kind != Node::Compare) {
                    in.kind = n.kind == Node::And ? Kind::And : Kind::Or;
                    std::vector<int> children;
                    for (const auto &k : n.kids)
                        children.push_back(compile(prog, byName, fields, text, *k));
                    in.first = int(prog->kids.size());
                    in.count = int(children.size());
                    prog->kids.insert(prog->kids.end(), children.begin(), children.end());
                    prog->code.push_back(in);
                    return int(prog->code.size() - 1);
                }
                auto it = byName.constFind(n.field.text.toCaseFolded());
                if (it == byName.constEnd())
                    bad(QStringLiteral("field '%1' not found").arg(n.field.text));
                const FieldDef &def = fields.at(*it);
                in.field = *it;
                in.op = n.op;
                const Operand &c = n.constant;
                auto badConst = [&]() {
                    bad(QStringLiteral("'%1' is not a valid value for field '%2'").arg(c.text, def.name));
                };
                if (c.kind == Operand::Null) {
                    in.textNullTest = def.type == FieldType::String;
                    in.kind = n.op == Op::Eq ? Kind::IsNull : n.op == Op::Ne ? Kind::NotNull : Kind::Never;
                } else {
                    const QString t = c.text.trimmed();
                    bool ok = false;
                    switch (def.type) {
                    case FieldType::String:
                        in.kind = Kind::Text;
                        in.text = c.text;
                        break;
                    case FieldType::SmallInt:
                    case FieldType::Integer: {
                        qint64 i = t.toLongLong(&ok);
                        if (ok) {
                            in.kind = Kind::Int;
                            in.i = i;
                        } else {
                            in.d = t.toDouble(&ok);
                            in.kind = Kind::Double;
                        }
                        break;
                    }
                    case FieldType::Float:
                        in.kind = Kind::Double;
                        in.d = t.toDouble(&ok);
                        break;
                    case FieldType::Currency:
                        in.kind = Kind::Money;
                        in.i = Currency::fromString(t, &ok).raw();
                        break;
                    case FieldType::Boolean: {
                        in.kind = Kind::Bool;
                        const QString l = t.toLower();
                        ok = true;
                        if (l == u"true" || l == u"t" || l == u"1")
                            in.i = 1;
                        else if (l == u"false" || l == u"f" || l == u"0")
                            in.i = 0;
                        else
                            ok = false;
                        break;
                    }
                    case FieldType::DateTime: {
                        in.kind = Kind::DateTime;
                        try {
                            QDateTime dt = Field::convert(QVariant(t), def).toDateTime();
                            ok = dt.isValid();
                            in.i = dt.toMSecsSinceEpoch();
                        } catch (const DataSetError &) {
                            ok = false;
                        }
                        break;
                    }
                    }
                    if (!ok && def.type != FieldType::String)
                        badConst();
                }
                prog->code.push_back(in);
                return int(prog->code.size() - 1);
            }
        };
        QHash<QString, int> byName;
        for (int i = 0; i < fields.size(); ++i)
            byName.insert(fields.at(i).name.toCaseFolded(), i);
        prog->root = Local::compile(prog.get(), byName, fields, m_text, *m_ast);
    }
    m_program = std::move(prog);
    m_bound = true;
}

bool FilterExpression::matches(const QList<QVariant> &row) const
{
    if (!m_program || m_program->root < 0)
        return true;
    return m_program->eval(m_program->root, row);
}

QString QuotedStr(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'\'';
    for (QChar c : text) {
        out += c;
        if (c == u'\'')
            out += u'\'';
    }
    out += u'\'';
    return out;
}

int compareCodePoints(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = a.utf16();
    const char16_t *pb = b.utf16();
    auto mm = std::mismatch(pa, pa + n, pb);
    if (mm.first == pa + n)
        return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
    // UTF-16 order differs from code point order only between surrogates and
    // U+E000..U+FFFF: lift surrogates above that block.
    auto key = [](char16_t u) -> int {
        if (u >= 0xD800 && u <= 0xDFFF)
            return int(u) + 0x2000;
        if (u >= 0xE000)
            return int(u) - 0x800;
        return int(u);
    };
    return key(*mm.first) < key(*mm.second) ? -1 : 1;
}
