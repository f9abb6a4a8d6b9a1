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
    // `lockDir` empty means the user's runtime directory.
    explicit SingleInstance(const QString& lockDir = QString());
    // True when this process is now the only instance.
    bool tryAcquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

inline constexpr const char* kMsgAlreadyRunning = "Aplikace již spuštěna !!!";

} // namespace urn
