#include "tests/fuzz/FuzzSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace Fuzz {

QString Folder() {
    static std::unique_ptr<QTemporaryDir> dir = [] {
        const QString shm = QStringLiteral("/dev/shm");
        const QString base = QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
        return std::make_unique<QTemporaryDir>(base + QStringLiteral("/tarvell-fuzz-XXXXXX"));
    }();
    return dir->path() + u'/';
}

uint8_t Input::Byte() {
    return m_at < m_size ? m_data[m_at++] : 0;
}

QByteArray Input::Part() {
    const size_t want = Byte();
    const size_t n = std::min(want, m_size - m_at);
    QByteArray part(reinterpret_cast<const char*>(m_data + m_at), qsizetype(n));
    m_at += n;
    return part;
}

QByteArray Input::Rest() {
    QByteArray rest(reinterpret_cast<const char*>(m_data + m_at), qsizetype(m_size - m_at));
    m_at = m_size;
    return rest;
}

void Require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

} // namespace Fuzz
