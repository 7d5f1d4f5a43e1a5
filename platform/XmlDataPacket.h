#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace platform {

// The in-memory table's own XML persistence format:
//   <DATAPACKET Version="2.0"><METADATA><FIELDS>
//     <FIELD attrname="REGISTRO" fieldtype="string" WIDTH="4"/> ...
//   </FIELDS><PARAMS/></METADATA>
//   <ROWDATA><ROW REGISTRO="J930" CAMPO="IDENT_QUALIF" .../></ROWDATA></DATAPACKET>
// fieldtype: string, fixed, i2, i4, i8, r8, boolean, date (yyyymmdd), dateTime
// (yyyymmddThh:mm:ss[msec]), time. An attribute missing from a ROW is null.
struct XmlField {
    QString name;
    QString fieldType; // as written in the file
    int width = 0;
};

struct XmlPacket {
    QList<XmlField> fields;
    QList<QList<QVariant>> rows; // one value per field, in field order; invalid QVariant = null
};

// Throws std::runtime_error with a readable text when the file cannot be read or parsed.
XmlPacket readXmlDataPacket(const QString& path);
void writeXmlDataPacket(const QString& path, const XmlPacket& packet);

} // namespace platform
