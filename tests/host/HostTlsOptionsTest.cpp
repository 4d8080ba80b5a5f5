// ore-host's transport options: HTTPS, the authorities to trust, and plain
// HTTP off the machine.

#include "host/HostOptions.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

TEST(HostTlsOptions, AreReadAndCheckedTogether) {
    QTemporaryFile ca;
    ASSERT_TRUE(ca.open());
    const THostOptions tls =
        ParseHostOptions({"--server", "ore.example:8443", "--tls", "--ca-file", ca.fileName()});
    EXPECT_TRUE(tls.tls);
    EXPECT_EQ(tls.caFile, ca.fileName());
    EXPECT_FALSE(tls.allowPlainHttp);
    const THostOptions plain = ParseHostOptions({"--allow-plain-http"});
    EXPECT_TRUE(plain.allowPlainHttp);
    EXPECT_FALSE(plain.tls);

    const struct {
        QStringList args;
        QString error;
    } wrong[] = {
        {{"--ca-file", ca.fileName()}, "--ca-file requer --tls."},
        {{"--tls", "--ca-file", "/nao/existe.pem"},
         "--ca-file: o arquivo \"/nao/existe.pem\" não existe."},
        {{"--tls", "--allow-plain-http"}, "--tls e --allow-plain-http se excluem."},
    };
    for (const auto& w : wrong) {
        SCOPED_TRACE(w.args.join(' ').toStdString());
        try {
            ParseHostOptions(w.args);
            ADD_FAILURE() << "accepted";
        } catch (const EUsage& e) {
            EXPECT_EQ(e.Message(), w.error);
        }
    }
}

} // namespace
