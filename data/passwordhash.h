#pragma once

#include <QByteArray>
#include <QString>

// Passwords are stored as a salted PBKDF2-HMAC-SHA256 hash in one text value:
// "pbkdf2-sha256$<iterations>$<salt, base64>$<hash, base64>" (89 characters).

// A new stored value for `plain`, with a fresh random salt.
QString HashPassword(const QString &plain);

// True when `plain` is the password `stored` stands for. A stored value that is not a hash
// is a password written in plain text by older data and is compared as it is.
bool CheckPassword(const QString &plain, const QString &stored);

// PBKDF2 with HMAC-SHA256 (RFC 8018), `length` bytes of derived key.
QByteArray Pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations, int length);
