#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Quake II's connectionless packets: four bytes of 0xff, then a command as
// text. The server answers a query in the same form, its text after a word
// and a line feed ("print\n...").
namespace OutOfBand {

inline constexpr QByteArrayView Prefix{"\xff\xff\xff\xff", 4};
// Larger than any answer the server sends in one datagram.
inline constexpr qsizetype MaxDatagram = 16 * 1024;

QByteArray statusRequest();
// The password stands in quotes when it holds blanks, as the server's word
// splitting takes it whole then; a password with a quote cannot be sent.
std::optional<QByteArray> rconRequest(const QString &password, const QString &command);

// The text of an answer that begins with the prefix and "print\n", or nothing.
std::optional<QByteArray> printText(QByteArrayView datagram);

// The server's own refusal of a wrong rcon password.
inline constexpr QByteArrayView BadPassword{"Bad rcon_password.\n"};

} // namespace OutOfBand
