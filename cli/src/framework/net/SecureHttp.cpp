#include "framework/net/SecureHttp.h"

#include "framework/net/NetSecurity.h"
#include "framework/net/PlainHttpClient.h"

#include <openssl/x509_vfy.h>

namespace SecureHttp {

std::unique_ptr<httplib::ClientImpl> NewClient(const QString& host, int port,
                                               const QString& address, QString& refusal) {
    const TNetSecurity::TSettings settings = TNetSecurity::Settings();
    if (!settings.tls) {
        refusal = TNetSecurity::PlainHttpRefusal(host, address);
        if (!refusal.isEmpty())
            return nullptr;
        return std::make_unique<TPlainHttpClient>(host.toStdString(), port);
    }
    auto client = std::make_unique<httplib::SSLClient>(host.toStdString(), port);
    // The certificate's chain and the name it was issued for (IP or DNS).
    client->enable_server_certificate_verification(true);
    if (!settings.caFile.isEmpty())
        client->set_ca_cert_path(settings.caFile.toStdString());
    return client;
}

namespace {

QString Untrusted(long verifyResult, const QString& host) {
    switch (verifyResult) {
    case X509_V_OK: // the chain is good: the name is what failed
        return QStringLiteral("ele não foi emitido para o nome %1").arg(host);
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return QStringLiteral("ele não foi emitido por uma autoridade certificadora confiável");
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return QStringLiteral("ele está vencido");
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return QStringLiteral("ele ainda não está em vigor");
    case X509_V_ERR_CERT_REVOKED:
        return QStringLiteral("ele foi revogado");
    default:
        return QStringLiteral("a verificação falhou (%1)")
            .arg(QString::fromUtf8(X509_verify_cert_error_string(verifyResult)));
    }
}

} // namespace

QString Failure(const httplib::ClientImpl& client, httplib::Error error, const QString& host,
                const QString& address) {
    switch (error) {
    case httplib::Error::SSLServerVerification: {
        const auto* tls = dynamic_cast<const httplib::SSLClient*>(&client);
        return QStringLiteral("O certificado do servidor de aplicação %1 não é confiável: %2.")
            .arg(address, Untrusted(tls ? tls->get_openssl_verify_result() : -1, host));
    }
    case httplib::Error::SSLLoadingCerts: {
        const QString file = TNetSecurity::Settings().caFile;
        return file.isEmpty() ? QStringLiteral("Não foi possível ler as autoridades certificadoras "
                                               "do sistema.")
                              : QStringLiteral("Não foi possível ler as autoridades certificadoras "
                                               "em %1.")
                                    .arg(file);
    }
    case httplib::Error::SSLConnection:
        return QStringLiteral("Não foi possível estabelecer uma conexão segura (HTTPS) com o "
                              "servidor de aplicação %1.")
            .arg(address);
    default:
        return {};
    }
}

} // namespace SecureHttp
