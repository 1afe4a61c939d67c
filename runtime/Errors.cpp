#include "runtime/Errors.h"

EFileError::EFileError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

EFileError EFileError::unableToWrite(const QString& path) {
    return EFileError(QStringLiteral("Unable to write to %1").arg(path));
}

EFileError EFileError::cannotCreate(const QString& path, const QString& reason) {
    return EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}
