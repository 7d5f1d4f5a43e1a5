#include "platform/XmlDataPacket.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::readXmlDataPacket;
using platform::writeXmlDataPacket;
using platform::XmlPacket;

namespace {

class XmlDataPacketTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("packet%1.xml").arg(++count));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    std::string readError(const QByteArray& bytes) {
        try {
            readXmlDataPacket(write(bytes));
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "no error";
    }

    QTemporaryDir dir;
    int count = 0;
};

} // namespace

TEST_F(XmlDataPacketTest, RoundTripKeepsEveryFieldTypeAndTheNulls) {
    XmlPacket packet;
    packet.fields = {{"REGISTRO", "string", 4}, {"NIVEL", "i2", 0},          {"CODIGO", "i4", 0},
                     {"GRANDE", "i8", 0},       {"VALOR", "r8", 0},          {"ATIVO", "boolean", 0},
                     {"DT_INI", "date", 0},     {"ALTERADO", "dateTime", 0}, {"HORA", "time", 0}};
    const QDateTime midnight(QDate(2008, 12, 31), QTime(0, 0));
    const QDateTime stamp(QDate(2009, 1, 2), QTime(14, 30, 5, 250));
    packet.rows = {
        {"J930", 1, 900, Q_INT64_C(12345678901), 1234.5, true, midnight, stamp, QTime(8, 15, 0)},
        {"Ação \"<&>'\r\n", -3, QVariant(), QVariant(), -0.1, false, QVariant(), QVariant(), QVariant()},
        {"", QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
    };
    const QString path = dir.filePath("roundtrip.xml");
    writeXmlDataPacket(path, packet);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("VALOR=\"1234.5\"")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("DT_INI=\"20081231\""));
    EXPECT_TRUE(bytes.contains("ALTERADO=\"20090102T14:30:05250\""));
    EXPECT_TRUE(bytes.contains("<FIELD attrname=\"REGISTRO\" fieldtype=\"string\" WIDTH=\"4\"/>"));

    const XmlPacket back = readXmlDataPacket(path);
    ASSERT_EQ(back.fields.size(), 9);
    EXPECT_EQ(back.fields[0].width, 4);
    EXPECT_EQ(back.fields[7].fieldType, "dateTime");
    ASSERT_EQ(back.rows.size(), 3);
    EXPECT_EQ(back.rows[0], packet.rows[0]);
    EXPECT_EQ(back.rows[0][2].typeId(), QMetaType::Int);
    EXPECT_EQ(back.rows[0][3].typeId(), QMetaType::LongLong);
    EXPECT_EQ(back.rows[0][6].toDateTime(), midnight);
    EXPECT_EQ(back.rows[1][0].toString(), "Ação \"<&>'\r\n");
    EXPECT_DOUBLE_EQ(back.rows[1][4].toDouble(), -0.1);
    EXPECT_FALSE(back.rows[1][2].isValid());
    // An empty text is not a null.
    EXPECT_TRUE(back.rows[2][0].isValid());
    EXPECT_EQ(back.rows[2][0].toString(), "");
    EXPECT_FALSE(back.rows[2][1].isValid());
}

TEST_F(XmlDataPacketTest, ReadsLatin1FilesDeclaredOrNot) {
    const QByteArray body =
        QByteArray("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
                   "<FIELD attrname=\"CAMPO\" fieldtype=\"string\" WIDTH=\"60\"/>"
                   "<FIELD attrname=\"DESCRICAO\" fieldtype=\"string\" WIDTH=\"259\"/>"
                   "</FIELDS><PARAMS/></METADATA><ROWDATA>"
                   "<ROW CAMPO=\"IDENT_QUALIF\" DESCRICAO=\"Diretor Contábil &amp; Sócio\"/>"
                   "<ROW DESCRICAO=\"Não\"/></ROWDATA></DATAPACKET>")
            .replace("á", "\xE1")
            .replace("ó", "\xF3")
            .replace("ã", "\xE3");
    for (const QByteArray& declaration :
         {QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>"), QByteArray()}) {
        const XmlPacket packet = readXmlDataPacket(write(declaration + body));
        ASSERT_EQ(packet.rows.size(), 2);
        EXPECT_EQ(packet.rows[0][1].toString(), "Diretor Contábil & Sócio");
        // A missing attribute is null.
        EXPECT_FALSE(packet.rows[1][0].isValid());
        EXPECT_EQ(packet.rows[1][1].toString(), "Não");
    }
    const QByteArray utf8Body = QString::fromLatin1(body).toUtf8();
    const XmlPacket utf8 = readXmlDataPacket(write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + utf8Body));
    EXPECT_EQ(utf8.rows[1][1].toString(), "Não");
}

TEST_F(XmlDataPacketTest, UnreadableFilesThrowReadableErrors) {
    EXPECT_NE(readError("<DATAPACKET><METADATA><FIELDS></METADATA></DATAPACKET>").find("line 1"),
              std::string::npos);
    EXPECT_NE(readError("<OTHER/>").find("<DATAPACKET>"), std::string::npos);
    EXPECT_NE(readError("").find("no XML element"), std::string::npos);
    EXPECT_NE(
        readError("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"N\" fieldtype=\"i4\"/></FIELDS></METADATA>"
                  "<ROWDATA><ROW N=\"12a\"/></ROWDATA></DATAPACKET>")
            .find("\"12a\" of field N"),
        std::string::npos);
    try {
        readXmlDataPacket(dir.filePath("absent.xml"));
        ADD_FAILURE() << "read a missing file";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("absent.xml"), std::string::npos);
    }
}
