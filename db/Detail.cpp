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

namespace {

// The codes of the vector in order; the arguments between them are skipped.
QList<long> errorCodes(const intptr_t* vector) {
    QList<long> codes;
    if (!vector)
        return codes;
    for (const intptr_t* p = vector; *p != isc_arg_end;) {
        const intptr_t kind = *p;
        if (kind == isc_arg_gds)
            codes.append(static_cast<long>(p[1]));
        // A counted string takes its length and its address.
        p += kind == isc_arg_cstring ? 3 : 2;
    }
    return codes;
}

// The server's texts quote names and values in the connection charset.
QString fromServer(const char* text, size_t length) {
    QString result = QString::fromLatin1(text, static_cast<qsizetype>(length));
    while (result.endsWith(QLatin1Char('\n')))
        result.chop(1);
    return result;
}

QStringList errorMessages(const intptr_t* vector) {
    QStringList messages;
    if (!vector)
        return messages;
    const ISC_STATUS* p = vector;
    char buffer[1024];
    while (const ISC_LONG length = fb_interpret(buffer, sizeof buffer, &p)) {
        if (length > 0)
            messages.append(fromServer(buffer, qMin<size_t>(size_t(length), sizeof buffer - 1)));
    }
    return messages;
}

} // namespace

FirebirdError toError(Firebird::IStatus* status) {
    const intptr_t* errors = status->getErrors();

    char state[6] = {};
    fb_sqlstate(state, errors);

    char buffer[4096];
    const unsigned length = util()->formatStatus(buffer, sizeof buffer, status);
    return FirebirdError(errorCodes(errors), errorMessages(errors), QString::fromLatin1(state),
                         fromServer(buffer, qMin<size_t>(length, sizeof buffer)));
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
