#pragma once

#include <QString>

#include <stdexcept>

/** An operation of the page view refused; the text is for the user. */
class EPageSheet : public std::runtime_error
{
public:
    explicit EPageSheet(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &Message() const { return m_message; }

private:
    QString m_message;
};
