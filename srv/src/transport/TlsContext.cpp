#include "transport/TlsContext.h"

#include "core/data/Exceptions.h"

#include <QFileInfo>

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <csignal>

namespace {

// What OpenSSL last said, for the log; its texts are English.
QString LastError() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0)
        return {};
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return QStringLiteral(" (OpenSSL: %1)").arg(QString::fromUtf8(text));
}

void CheckReadable(const QString& file, const QString& what) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        throw Exception(QStringLiteral("O %1 %2 não existe ou não pode ser lido.").arg(what, file));
}

// A key under a passphrase would make OpenSSL ask for it on the terminal.
int NoPassphrase(char*, int, int, void*) {
    return 0;
}

} // namespace

TTlsContext::TTlsContext(const QString& certFile, const QString& keyFile) {
    CheckReadable(certFile, QStringLiteral("certificado"));
    CheckReadable(keyFile, QStringLiteral("arquivo da chave privada"));
    m_ctx = SSL_CTX_new(TLS_server_method());
    if (!m_ctx)
        throw Exception(QStringLiteral("Não foi possível iniciar o TLS%1.").arg(LastError()));
    try {
        SSL_CTX_set_min_proto_version(m_ctx, TLS1_2_VERSION);
        // Every call is a new connection of a new client: tickets would
        // never be used, and renegotiation only costs the server.
        SSL_CTX_set_num_tickets(m_ctx, 0);
        SSL_CTX_set_options(m_ctx, SSL_OP_NO_TICKET | SSL_OP_NO_RENEGOTIATION |
                                       SSL_OP_CIPHER_SERVER_PREFERENCE);
        SSL_CTX_set_default_passwd_cb(m_ctx, NoPassphrase);
        ERR_clear_error();
        if (SSL_CTX_use_certificate_chain_file(m_ctx, certFile.toLocal8Bit().constData()) != 1)
            throw Exception(QStringLiteral("O certificado %1 não é um certificado PEM válido%2.")
                                .arg(certFile, LastError()));
        if (SSL_CTX_use_PrivateKey_file(m_ctx, keyFile.toLocal8Bit().constData(),
                                        SSL_FILETYPE_PEM) != 1 &&
            ERR_GET_REASON(ERR_peek_last_error()) != X509_R_KEY_VALUES_MISMATCH)
            throw Exception(QStringLiteral("A chave privada %1 não é uma chave PEM válida sem "
                                           "senha%2.")
                                .arg(keyFile, LastError()));
        ERR_clear_error();
        if (SSL_CTX_check_private_key(m_ctx) != 1)
            throw Exception(QStringLiteral("A chave privada %1 não corresponde ao certificado "
                                           "%2.")
                                .arg(keyFile, certFile));
    } catch (...) {
        SSL_CTX_free(m_ctx);
        throw;
    }
    // OpenSSL writes to the socket with write(2): a client that goes away
    // must not kill the server. A disposition chosen elsewhere stays.
    struct sigaction current {};
    if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGPIPE, SIG_IGN);
}

TTlsContext::~TTlsContext() {
    SSL_CTX_free(m_ctx);
}
