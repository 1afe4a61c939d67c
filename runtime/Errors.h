#pragma once
// The one exception type of the file layer. Its message is what the user
// sees in the general error box.

#include <QString>
#include <stdexcept>

class EFileError : public std::runtime_error {
public:
    explicit EFileError(const QString& message);
    QString message() const { return m_message; }

    // "Unable to write to %s": a settings-form file could not be written.
    static EFileError unableToWrite(const QString& path);
    // "Cannot create file "%s". %s": the log or the pledge could not be written.
    static EFileError cannotCreate(const QString& path, const QString& reason);

private:
    QString m_message;
};
