#include "store/InstanceLock.h"

#include "store/Error.h"

#include <QDir>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

InstanceLock::~InstanceLock() {
    release();
}

void InstanceLock::acquire(const QString& directory) {
    release();
    const QByteArray path = QDir(directory).filePath(fileName()).toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        throw Error(QStringLiteral("Låsfilen i %1 kan inte skapas.").arg(QDir::toNativeSeparators(directory)));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            throw Error(
                QStringLiteral("Slantvis är redan igång med databasen i %1.").arg(QDir::toNativeSeparators(directory)));
        throw Error(QStringLiteral("Databasen i %1 kan inte låsas.").arg(QDir::toNativeSeparators(directory)));
    }
    m_fd = fd;
}

void InstanceLock::release() {
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace store
