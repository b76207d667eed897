#pragma once

#include <QString>

namespace store {

// Keeps other Slantvis processes away from one database directory for as long as it is held. The lock is the
// kernel's (flock), so a process that is killed leaves no stale lock behind.
class InstanceLock final {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    static QString fileName() { return QStringLiteral(".slantvis.lock"); }

    // Takes the lock of `directory`; throws store::Error when another process holds it or it cannot be made.
    void acquire(const QString& directory);
    void release();
    bool isHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace store
