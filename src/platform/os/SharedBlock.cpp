#include "platform/os/SharedBlock.h"

#include <cstring>

namespace os {

bool SharedBlock::open(const QString &name)
{
    close();
    memory.setKey(name);
    if (memory.create(Size)) {
        memory.lock();
        std::memset(memory.data(), 0, Size);
        memory.unlock();
        return true;
    }
    if (memory.error() == QSharedMemory::AlreadyExists)
        return memory.attach() && memory.size() >= Size;
    return false;
}

void SharedBlock::close()
{
    if (memory.isAttached())
        memory.detach();
}

QByteArray SharedBlock::read()
{
    if (!memory.isAttached())
        return {};
    memory.lock();
    QByteArray bytes(static_cast<const char *>(memory.constData()), Size);
    memory.unlock();
    return bytes;
}

bool SharedBlock::write(const QByteArray &bytes, int offset)
{
    if (!memory.isAttached() || offset < 0 || offset >= Size)
        return false;
    const int n = int(qMin<qsizetype>(bytes.size(), Size - offset));
    memory.lock();
    std::memcpy(static_cast<char *>(memory.data()) + offset, bytes.constData(), n);
    memory.unlock();
    return true;
}

} // namespace os
