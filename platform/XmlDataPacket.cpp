#include "platform/XmlDataPacket.h"

#include "platform/GravacaoSegura.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <stdexcept>

namespace platform {

namespace {

[[noreturn]] void fail(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

enum class Kind { Text, SmallInt, Integer, LargeInt, Real, Boolean, Date, DateTime, Time };

Kind kindOf(const QString& fieldType) {
    static const QHash<QString, Kind> kinds = {
        {QStringLiteral("i1"), Kind::SmallInt},       {QStringLiteral("ui1"), Kind::SmallInt},
        {QStringLiteral("i2"), Kind::SmallInt},       {QStringLiteral("ui2"), Kind::Integer},
        {QStringLiteral("i4"), Kind::Integer},        {QStringLiteral("ui4"), Kind::LargeInt},
        {QStringLiteral("i8"), Kind::LargeInt},       {QStringLiteral("r8"), Kind::Real},
        {QStringLiteral("boolean"), Kind::Boolean},   {QStringLiteral("date"), Kind::Date},
        {QStringLiteral("dateTime"), Kind::DateTime}, {QStringLiteral("time"), Kind::Time},
    };
    // "string", "string.uni", "fixed" and anything unknown are carried as text.
    return kinds.value(fieldType, Kind::Text);
}

// The packet's own date and time forms: date "20081231", dateTime "20081231T14:30:05250"
// (milliseconds run straight on after the seconds), time "14:30:05250".
const QString dateFormat = QStringLiteral("yyyyMMdd");
const QString timeFormat = QStringLiteral("HH:mm:sszzz");

std::optional<QTime> parseTime(const QString& text) {
    for (const char* format : {"HH:mm:sszzz", "HH:mm:ss", "HH:mm", "HHmmsszzz", "HHmmss"}) {
        const QTime time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

std::optional<QVariant> parseValue(Kind kind, const QString& text) {
    bool ok = false;
    switch (kind) {
    case Kind::Text:
        return QVariant(text);
    case Kind::SmallInt: {
        const short v = text.toShort(&ok);
        return ok ? std::optional<QVariant>(QVariant::fromValue<qint16>(v)) : std::nullopt;
    }
    case Kind::Integer: {
        const int v = text.toInt(&ok);
        return ok ? std::optional<QVariant>(QVariant::fromValue<qint32>(v)) : std::nullopt;
    }
    case Kind::LargeInt: {
        const qlonglong v = text.toLongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant::fromValue<qint64>(v)) : std::nullopt;
    }
    case Kind::Real: {
        // Always the decimal point, whatever the regional settings say.
        const double v = QLocale::c().toDouble(text.trimmed(), &ok);
        return ok ? std::optional<QVariant>(v) : std::nullopt;
    }
    case Kind::Boolean:
        if (text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
            return QVariant(false);
        return std::nullopt;
    case Kind::Date: {
        const QDate date = QDate::fromString(text.left(8), dateFormat);
        if (!date.isValid())
            return std::nullopt;
        return QVariant(QDateTime(date, QTime(0, 0)));
    }
    case Kind::DateTime: {
        const QDate date = QDate::fromString(text.left(8), dateFormat);
        if (!date.isValid())
            return std::nullopt;
        if (text.size() == 8)
            return QVariant(QDateTime(date, QTime(0, 0)));
        if (text.at(8) != QLatin1Char('T'))
            return std::nullopt;
        const auto time = parseTime(text.mid(9));
        if (!time)
            return std::nullopt;
        return QVariant(QDateTime(date, *time));
    }
    case Kind::Time: {
        const auto time = parseTime(text);
        return time ? std::optional<QVariant>(QVariant(*time)) : std::nullopt;
    }
    }
    return std::nullopt;
}

QString formatValue(Kind kind, const QVariant& value) {
    switch (kind) {
    case Kind::Text:
        return value.toString();
    case Kind::SmallInt:
    case Kind::Integer:
    case Kind::LargeInt:
        return QString::number(value.toLongLong());
    case Kind::Real:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case Kind::Boolean:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Date:
        return value.toDate().toString(dateFormat);
    case Kind::DateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.date().toString(dateFormat) + QLatin1Char('T') + dt.time().toString(timeFormat);
    }
    case Kind::Time:
        return value.toTime().toString(timeFormat);
    }
    return value.toString();
}

// Without a declared encoding XML means UTF-8, but older files were saved in Latin-1 without
// saying so; those would otherwise lose every accented letter.
bool undeclaredLatin1(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    const qsizetype declarationEnd = bytes.startsWith("<?xml") ? bytes.indexOf("?>") : -1;
    if (declarationEnd >= 0 && bytes.left(declarationEnd).contains("encoding"))
        return false;
    auto decoder = QStringDecoder(QStringDecoder::Utf8);
    (void)QString(decoder(bytes));
    return decoder.hasError();
}

class PacketReader {
public:
    PacketReader(const QString& path, const QByteArray& bytes) : m_path(path) {
        if (undeclaredLatin1(bytes))
            m_xml.addData(QString::fromLatin1(bytes));
        else
            m_xml.addData(bytes);
    }

    XmlPacket read() {
        if (!m_xml.readNextStartElement())
            error(QStringLiteral("the file holds no XML element"));
        if (m_xml.name() != QLatin1String("DATAPACKET"))
            error(QStringLiteral("the root element is <%1>, not <DATAPACKET>").arg(m_xml.name()));
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("METADATA"))
                readMetadata();
            else if (m_xml.name() == QLatin1String("ROWDATA"))
                readRows();
            else
                m_xml.skipCurrentElement();
        }
        finish();
        return std::move(m_packet);
    }

private:
    [[noreturn]] void error(const QString& what) const {
        fail(QStringLiteral("Cannot read the data packet %1 (line %2, column %3): %4")
                 .arg(m_path)
                 .arg(m_xml.lineNumber())
                 .arg(m_xml.columnNumber())
                 .arg(what));
    }

    // The reader stops quietly at the first fault; it must be asked whether it ended well.
    void finish() {
        while (!m_xml.atEnd() && !m_xml.hasError())
            m_xml.readNext();
        if (m_xml.hasError())
            error(m_xml.errorString());
    }

    void readMetadata() {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("FIELDS")) {
                m_xml.skipCurrentElement();
                continue;
            }
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == QLatin1String("FIELD"))
                    readField();
                m_xml.skipCurrentElement();
            }
        }
    }

    void readField() {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        XmlField field;
        field.name = attributes.value(QLatin1String("attrname")).toString();
        field.fieldType = attributes.value(QLatin1String("fieldtype")).toString();
        if (field.name.isEmpty())
            error(QStringLiteral("a FIELD has no attrname"));
        const QString width = attributes.value(QLatin1String("WIDTH")).toString();
        if (!width.isEmpty()) {
            bool ok = false;
            field.width = width.toInt(&ok);
            if (!ok)
                error(QStringLiteral("the WIDTH \"%1\" of field %2 is not a number").arg(width, field.name));
        }
        m_kinds << kindOf(field.fieldType);
        m_packet.fields << field;
    }

    void readRows() {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("ROW"))
                readRow();
            m_xml.skipCurrentElement();
        }
    }

    void readRow() {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        QList<QVariant> values;
        values.reserve(m_packet.fields.size());
        for (qsizetype i = 0; i < m_packet.fields.size(); ++i) {
            const XmlField& field = m_packet.fields.at(i);
            if (!attributes.hasAttribute(field.name)) {
                values << QVariant();
                continue;
            }
            const QString text = attributes.value(field.name).toString();
            const auto value = parseValue(m_kinds.at(i), text);
            if (!value)
                error(QStringLiteral("the value \"%1\" of field %2 is not a valid %3")
                          .arg(text, field.name, field.fieldType));
            values << *value;
        }
        m_packet.rows << values;
    }

    QString m_path;
    QXmlStreamReader m_xml;
    XmlPacket m_packet;
    QList<Kind> m_kinds;
};

} // namespace

XmlPacket readXmlDataPacket(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open the data packet %1: %2").arg(path, file.errorString()));
    return PacketReader(path, file.readAll()).read();
}

void writeXmlDataPacket(const QString& path, const XmlPacket& packet) {
    GravacaoSegura file(path);

    QList<Kind> kinds;
    for (const XmlField& field : packet.fields)
        kinds << kindOf(field.fieldType);

    QXmlStreamWriter xml(&file.dispositivo());
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("DATAPACKET"));
    xml.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("METADATA"));
    xml.writeStartElement(QStringLiteral("FIELDS"));
    for (const XmlField& field : packet.fields) {
        xml.writeEmptyElement(QStringLiteral("FIELD"));
        xml.writeAttribute(QStringLiteral("attrname"), field.name);
        xml.writeAttribute(QStringLiteral("fieldtype"), field.fieldType);
        if (field.width > 0)
            xml.writeAttribute(QStringLiteral("WIDTH"), QString::number(field.width));
    }
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("PARAMS"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("ROWDATA"));
    for (const QList<QVariant>& row : packet.rows) {
        xml.writeEmptyElement(QStringLiteral("ROW"));
        for (qsizetype i = 0; i < packet.fields.size() && i < row.size(); ++i) {
            const QVariant& value = row.at(i);
            // A null is written as a missing attribute; an empty text stays an empty attribute.
            if (!value.isValid())
                continue;
            xml.writeAttribute(packet.fields.at(i).name, formatValue(kinds.at(i), value));
        }
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();

    if (xml.hasError())
        fail(QStringLiteral("Cannot write the data packet %1: %2")
                 .arg(path, file.dispositivo().errorString()));
    file.conclui();
}

} // namespace platform
