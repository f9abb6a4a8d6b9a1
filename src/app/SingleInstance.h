#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace urn {

// One running instance per user: a lock file in the user's runtime
// directory, held for the life of the process. A lock left behind by a
// crashed instance is recognised as stale and taken over.
class SingleInstance {
public:
    enum Result {
        Acquired,     // this process is now the only instance
        HeldByOther,  // a live instance holds the lock
        CannotCreate, // the lock file could not be made (permissions, no directory)
    };

    // `lockDir` empty means the user's runtime directory.
    explicit SingleInstance(const QString& lockDir = QString());
    Result tryAcquire();
    QString lockPath() const { return m_path; }
    QString lockDir() const { return m_dir; }
    // The Czech message for a lock that could not be created.
    QString cannotCreateMessage() const;

private:
    QString m_dir;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

inline constexpr const char* kMsgAlreadyRunning = "Aplikace již spuštěna !!!";

} // namespace urn
