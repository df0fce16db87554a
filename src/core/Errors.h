#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The error that commands raise; its message is what the general error report shows.
class EQuillery : public std::exception {
public:
    explicit EQuillery(QString message) : Text(std::move(message)), Utf8(Text.toUtf8()) {}
    const QString& Message() const { return Text; }
    const char* what() const noexcept override { return Utf8.constData(); }

private:
    QString Text;
    QByteArray Utf8;
};
