#pragma once

#include <QString>

struct ssl_ctx_st;

// The server's side of TLS, built once at start: its certificate chain and
// private key, TLS 1.2 at the least. Every connection's session is made
// from it (TTlsChannel).
class TTlsContext {
public:
    // Throws Exception with a sentence for the operator when a file cannot
    // be read or the key does not match the certificate.
    TTlsContext(const QString& certFile, const QString& keyFile);
    ~TTlsContext();
    TTlsContext(const TTlsContext&) = delete;
    TTlsContext& operator=(const TTlsContext&) = delete;

    ssl_ctx_st* Handle() const { return m_ctx; }

private:
    ssl_ctx_st* m_ctx = nullptr;
};
