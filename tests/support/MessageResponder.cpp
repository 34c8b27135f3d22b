#include "support/MessageResponder.h"

#include <gtest/gtest.h>

MessageResponder::MessageResponder()
{
    m_previous = SetMessageBoxHandler(
        [this](const QString &text, int kind, int stayMs) { return respond(text, kind, stayMs); });
}

MessageResponder::~MessageResponder()
{
    SetMessageBoxHandler(m_previous);
    if (!m_script.isEmpty())
        ADD_FAILURE() << "MessageResponder: " << m_script.size()
                      << " scripted answer(s) never asked for";
}

void MessageResponder::answer(int result)
{
    m_script.append(result);
}

void MessageResponder::answer(std::initializer_list<int> results)
{
    for (int r : results)
        m_script.append(r);
}

int MessageResponder::respond(const QString &text, int kind, int stayMs)
{
    Message m{text, kind, stayMs, mrNone};
    if (m.isQuestion()) {
        if (!m_script.isEmpty())
            m.result = m_script.takeFirst();
        else if (m_default)
            m.result = *m_default;
        else
            ADD_FAILURE() << "MessageResponder: unscripted question (kind " << kind
                          << "): " << text.toStdString();
    }
    m_messages.append(m);
    return m.result;
}

QList<MessageResponder::Message> MessageResponder::notices() const
{
    QList<Message> out;
    for (const Message &m : m_messages)
        if (!m.isQuestion())
            out.append(m);
    return out;
}

QList<MessageResponder::Message> MessageResponder::questions() const
{
    QList<Message> out;
    for (const Message &m : m_messages)
        if (m.isQuestion())
            out.append(m);
    return out;
}

QStringList MessageResponder::texts() const
{
    QStringList out;
    for (const Message &m : m_messages)
        out.append(m.text);
    return out;
}

bool MessageResponder::contains(const QString &text) const
{
    return texts().contains(text);
}
