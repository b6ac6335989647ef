#include "OutOfBand.h"

namespace OutOfBand {

QByteArray statusRequest() {
    // No line end: the server refuses "status\n" as an unknown command.
    return Prefix.toByteArray() + "status";
}

std::optional<QByteArray> rconRequest(const QString &password, const QString &command) {
    const QByteArray pw = password.toLatin1();
    if (pw.contains('"') || pw.contains('\n') || command.contains(u'\n'))
        return std::nullopt;
    const bool blank = pw.isEmpty() || pw.contains(' ') || pw.contains(';') || pw.contains('\t');
    return Prefix.toByteArray() + "rcon " + (blank ? '"' + pw + '"' : pw) + ' ' +
           command.toLatin1();
}

std::optional<QByteArray> printText(QByteArrayView datagram) {
    constexpr QByteArrayView print{"print\n"};
    if (!datagram.startsWith(Prefix) || !datagram.sliced(Prefix.size()).startsWith(print))
        return std::nullopt;
    return datagram.sliced(Prefix.size() + print.size()).toByteArray();
}

} // namespace OutOfBand
