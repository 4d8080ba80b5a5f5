#pragma once

#include <QString>

#include <exception>

// Base of the framework's errors: a message meant for the operator.
class Exception : public std::exception {
public:
    explicit Exception(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Silent abort: ends the current action without telling the operator anything.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operação cancelada")) {}
};

// Misuse of a record set or a field (wrong state, unknown field, value too long...).
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// A data packet that cannot be read: malformed, truncated, of another version or kind.
class EPacketError : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};
