#include "db/Services.h"

#include "db/Detail.h"

namespace db {

using namespace detail;

void displayUser(const QString& host, const QString& user, const QString& password, const QString& userName) {
    Status status;
    Handle<Firebird::IXpbBuilder> spb(
        util()->getXpbBuilder(&status, Firebird::IXpbBuilder::SPB_ATTACH, nullptr, 0));
    spb->insertString(&status, isc_spb_user_name, user.toUtf8().constData());
    spb->insertString(&status, isc_spb_password, password.toUtf8().constData());
    const unsigned spbLength = spb->getBufferLength(&status);
    const unsigned char* spbBuffer = spb->getBuffer(&status);

    const QString name =
        host.isEmpty() ? QStringLiteral("service_mgr") : host + QStringLiteral(":service_mgr");
    Handle<Firebird::IProvider> provider(master()->getDispatcher());
    Handle<Firebird::IService> service(
        provider->attachServiceManager(&status, name.toLocal8Bit().constData(), spbLength, spbBuffer));

    Handle<Firebird::IXpbBuilder> request(
        util()->getXpbBuilder(&status, Firebird::IXpbBuilder::SPB_START, nullptr, 0));
    request->insertTag(&status, isc_action_svc_display_user);
    request->insertString(&status, isc_spb_sec_username, userName.toUtf8().constData());
    const unsigned requestLength = request->getBufferLength(&status);
    const unsigned char* requestBuffer = request->getBuffer(&status);
    service->start(&status, requestLength, requestBuffer);

    // The answer is not needed, but the service runs until its output has been read.
    const unsigned char items[] = {isc_info_svc_get_users};
    unsigned char answer[8192];
    for (int round = 0; round < 1000; ++round) {
        service->query(&status, 0, nullptr, sizeof items, items, sizeof answer, answer);
        bool more = false;
        const unsigned char* p = answer;
        const unsigned char* const end = answer + sizeof answer;
        while (p < end && *p != isc_info_end) {
            const unsigned char tag = *p++;
            if (tag == isc_info_truncated || tag == isc_info_data_not_ready) {
                more = true;
                break;
            }
            if (tag != isc_info_svc_get_users || p + 2 > end)
                break;
            const int length = isc_portable_integer(p, 2);
            p += 2 + length;
            more = length > 0;
        }
        if (!more)
            break;
    }
}

} // namespace db
