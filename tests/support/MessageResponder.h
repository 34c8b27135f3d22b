#pragma once
// Test seam for the message box: while a MessageResponder lives, every
// ShowMessageBox / AskMessageBox goes to it instead of a window. Notices
// (kind 2) are recorded and return 0; questions (every other kind) are
// recorded and answered from a script, so a screen test never blocks on a
// dialog. Nothing is shown.
//
//   MessageResponder responder;
//   responder.answer(mrYes);              // the next question gets 6
//   ... drive the screen ...
//   EXPECT_TRUE(responder.contains("저장되었습니다."));

#include "core/uKV_Common_Msg.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class MessageResponder {
public:
    struct Message {
        QString text;
        int kind = 0;
        int stayMs = 0;
        int result = 0; // what the call returned
        bool isQuestion() const { return kind != 2; }
    };

    // Installs the responder as the message handler.
    MessageResponder();
    // Puts the previous handler back. Scripted answers left unused fail the
    // running test: the screen asked fewer questions than expected.
    ~MessageResponder();

    MessageResponder(const MessageResponder &) = delete;
    MessageResponder &operator=(const MessageResponder &) = delete;

    // Queues answers for the next questions, first in first out.
    void answer(int result);
    void answer(std::initializer_list<int> results);
    // Answer for questions once the script is used up. Without one, an
    // unscripted question fails the running test and returns 0.
    void setDefaultAnswer(int result) { m_default = result; }

    // Every call so far, in order.
    const QList<Message> &messages() const { return m_messages; }
    QList<Message> notices() const;
    QList<Message> questions() const;
    QStringList texts() const;
    bool contains(const QString &text) const;
    // Scripted answers not yet used.
    int pendingAnswers() const { return int(m_script.size()); }

    void clear() { m_messages.clear(); }

private:
    int respond(const QString &text, int kind, int stayMs);

    MessageBoxHandler m_previous;
    QList<int> m_script;
    std::optional<int> m_default;
    QList<Message> m_messages;
};
