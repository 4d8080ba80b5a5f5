#pragma once

// A certificate authority and a server certificate signed by it, made when
// the test runs (P-256 keys, valid from an hour ago for a day), written as
// PEM files for ore-server and for the client that is to trust them. Link
// OpenSSL::Crypto.

#include <QDir>
#include <QFile>
#include <QString>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

struct TTestCertificates {
    QString caFile;   // the authority's certificate
    QString certFile; // the server's certificate
    QString keyFile;  // the server's private key
};

namespace TestCertificatesDetail {

using TKey = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using TCert = std::unique_ptr<X509, decltype(&X509_free)>;

inline void Check(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(std::string("test certificates: ") + what);
}

inline TKey NewKey() {
    TKey key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    Check(key != nullptr, "key");
    return key;
}

inline void AddExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
    X509V3_CTX ctx;
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
    Check(ext && X509_add_ext(cert, ext, -1) == 1, "extension");
    X509_EXTENSION_free(ext);
}

// Signed by `issuer` and its key, or by itself when `issuer` is null.
inline TCert NewCert(const char* commonName, long serial, EVP_PKEY* key, X509* issuer,
                     EVP_PKEY* issuerKey, const std::string& altNames) {
    TCert cert(X509_new(), X509_free);
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 24 * 3600);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509* signer = issuer ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    X509_set_pubkey(cert.get(), key);
    if (altNames.empty()) {
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(cert.get(), signer, NID_subject_alt_name, altNames);
        AddExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth");
    }
    Check(X509_sign(cert.get(), issuer ? issuerKey : key, EVP_sha256()) > 0, "signature");
    return cert;
}

inline void Write(const QString& file, X509* cert, EVP_PKEY* key) {
    FILE* f = std::fopen(QFile::encodeName(file).constData(), "w");
    Check(f != nullptr, "file");
    const bool ok = cert ? PEM_write_X509(f, cert) == 1
                         : PEM_write_PrivateKey(f, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
    std::fclose(f);
    Check(ok, "PEM");
}

} // namespace TestCertificatesDetail

// Into `dir`: ca.pem, server.pem (issued for `altNames`, as in
// "DNS:localhost,IP:127.0.0.1") and server-key.pem.
inline TTestCertificates MakeTestCertificates(const QString& dir, const std::string& altNames) {
    using namespace TestCertificatesDetail;
    const TKey caKey = NewKey();
    const TCert ca = NewCert("ORE Test CA", 1, caKey.get(), nullptr, nullptr, {});
    const TKey key = NewKey();
    const TCert cert = NewCert("ore-server test", 2, key.get(), ca.get(), caKey.get(), altNames);
    const QDir d(dir);
    TTestCertificates files{d.filePath("ca.pem"), d.filePath("server.pem"),
                            d.filePath("server-key.pem")};
    Write(files.caFile, ca.get(), nullptr);
    Write(files.certFile, cert.get(), nullptr);
    Write(files.keyFile, nullptr, key.get());
    return files;
}
