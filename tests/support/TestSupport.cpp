#include "tests/support/TestSupport.h"

#include "runtime/TextFile.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace TestSupport {

TempProgramFolder::TempProgramFolder() {
    m_dir.setAutoRemove(true);
}

QString TempProgramFolder::path() const {
    return QDir(m_dir.path()).absolutePath() + u'/';
}

QString TempProgramFolder::file(const QString& name) const {
    return path() + name;
}

QByteArray TempProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

bool TempProgramFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
}

QStringList TempProgramFolder::files() const {
    return QDir(path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

FrozenClock::FrozenClock(TDateTime at) {
    Clock::SetNow(at);
}
FrozenClock::~FrozenClock() {
    Clock::Reset();
}
void FrozenClock::set(TDateTime at) {
    Clock::SetNow(at);
}
void FrozenClock::advance(double seconds) {
    Clock::Advance(seconds);
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
    rlimit rl{};
    if (getrlimit(RLIMIT_FSIZE, &rl) == 0) {
        m_oldSoft = qint64(rl.rlim_cur);
        rl.rlim_cur = rlim_t(bytes);
        m_active = setrlimit(RLIMIT_FSIZE, &rl) == 0;
    }
#else
    TextFile::SetSizeLimit(bytes);
    m_active = true;
#endif
}

FileSizeLimit::~FileSizeLimit() {
#ifdef Q_OS_UNIX
    if (m_active) {
        rlimit rl{};
        getrlimit(RLIMIT_FSIZE, &rl);
        rl.rlim_cur = rlim_t(m_oldSoft);
        setrlimit(RLIMIT_FSIZE, &rl);
    }
#else
    TextFile::SetSizeLimit(-1);
#endif
}

} // namespace TestSupport
