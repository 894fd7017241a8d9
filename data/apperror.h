#pragma once

#include <QString>
#include <exception>
#include <QByteArray>

// Base of every failure the program raises. kindName() is the name the failure handler
// shows in front of the message (the class names of the original platform's failures).
class AppError : public std::exception
{
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const char *what() const noexcept override { return m_utf8.constData(); }
    const QString &message() const { return m_message; }
    virtual QString kindName() const { return QStringLiteral("Exception"); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A database failure that did not come from the engine (a missing field, a wrong state).
class DatabaseError : public AppError
{
public:
    using AppError::AppError;
    QString kindName() const override { return QStringLiteral("EDatabaseError"); }
};

// Text that does not convert to the wanted type (dates, numbers).
class ConvertError : public AppError
{
public:
    using AppError::AppError;
    QString kindName() const override { return QStringLiteral("EConvertError"); }
};

// An index or value out of range.
class RangeError : public AppError
{
public:
    using AppError::AppError;
    QString kindName() const override { return QStringLiteral("ERangeError"); }
};

// Cancels an operation without any message.
class AbortError : public AppError
{
public:
    AbortError() : AppError(QStringLiteral("Operation aborted")) {}
    QString kindName() const override { return QStringLiteral("EAbort"); }
};
