#pragma once
// A small block of memory shared by name between the programs and libraries
// of the terminal (the on-screen keyboard and the keyboard hook exchange
// their state through a 16-byte block named "Mirel_Virtual_KeyBoard").

#include <QByteArray>
#include <QSharedMemory>
#include <QString>

namespace os {

class SharedBlock
{
public:
    static constexpr int Size = 16;

    // Creates the block, or attaches to it when another process has created
    // it. False when neither works.
    bool open(const QString &name);
    bool isOpen() const { return memory.isAttached(); }
    void close();

    // The block's Size bytes (empty when not open).
    QByteArray read();
    // Writes up to Size bytes from the front of the block; false when not open.
    bool write(const QByteArray &bytes, int offset = 0);

private:
    QSharedMemory memory;
};

} // namespace os
