#pragma once
// Helpers shared by the tests: a temporary program folder, a settable clock
// and ways to make file writes fail even when the tests run as root.

#include "runtime/DateTime.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace TestSupport {

// A control of a window, found by its object name as a user's tools find it.
// A missing one ends the run at once with its name rather than as a crash.
template <class T> T* Part(const QObject& owner, const char* name) {
    T* part = owner.findChild<T*>(QString::fromLatin1(name));
    if (!part)
        qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return part;
}

// A fresh, empty program folder; the path ends with a separator, as the
// settings object expects.
class TempProgramFolder {
public:
    TempProgramFolder();
    QString path() const; // with trailing '/'
    QString file(const QString& name) const;
    QByteArray read(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    bool exists(const QString& name) const;
    // The names of the files in it, hidden ones too, sorted by name.
    QStringList files() const;

private:
    QTemporaryDir m_dir;
};

// Freezes the program clock for the lifetime of the object.
class FrozenClock {
public:
    explicit FrozenClock(TDateTime at);
    ~FrozenClock();
    void set(TDateTime at);
    void advance(double seconds);
};

// While alive, any file this process writes is limited to `bytes` bytes:
// larger writes fail with EFBIG, which holds for root as well. Windows sets
// no such limit: there only the saves of the records are limited.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    qint64 m_oldSoft = -1;
    bool m_active = false;
};

} // namespace TestSupport
