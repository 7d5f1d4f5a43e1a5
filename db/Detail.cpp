#include "db/Detail.h"

#include <QStringList>

namespace db {

Firebird::IMaster* master() {
    static Firebird::IMaster* const instance = Firebird::fb_get_master_interface();
    return instance;
}

namespace detail {

Firebird::IUtil* util() {
    return master()->getUtilInterface();
}

FirebirdError toError(Firebird::IStatus* status) {
    const intptr_t* errors = status->getErrors();
    long code = 0;
    if (errors && errors[0] == isc_arg_gds)
        code = static_cast<long>(errors[1]);

    char state[6] = {};
    fb_sqlstate(state, errors);

    char buffer[4096];
    const unsigned length = util()->formatStatus(buffer, sizeof buffer, status);
    // The server's text quotes names and values in the connection charset.
    QString message =
        QString::fromLatin1(buffer, static_cast<qsizetype>(qMin<unsigned>(length, sizeof buffer)));
    while (message.endsWith(QLatin1Char('\n')))
        message.chop(1);
    return FirebirdError(code, QString::fromLatin1(state), message);
}

bool isUtf8Charset(const QString& name) {
    return name.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("UNICODE_FSS"), Qt::CaseInsensitive) == 0;
}

QByteArray encodeText(const QString& text, bool utf8) {
    return utf8 ? text.toUtf8() : text.toLatin1();
}

QString decodeText(const char* data, int length, unsigned charset, bool connectionUtf8) {
    const bool utf8 =
        charset == charsetUtf8 || charset == charsetUnicodeFss || (charset == charsetNone && connectionUtf8);
    return utf8 ? QString::fromUtf8(data, length) : QString::fromLatin1(data, length);
}

int bytesPerChar(unsigned charset) {
    switch (charset) {
    case charsetUnicodeFss:
        return 3;
    case charsetUtf8:
        return 4;
    default:
        return 1;
    }
}

} // namespace detail
} // namespace db
