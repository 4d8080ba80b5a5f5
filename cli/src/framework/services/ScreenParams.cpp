#include "framework/services/ScreenParams.h"

#include "core/data/Exceptions.h"
#include "framework/services/Handles.h"

#include <limits>

TScreenParams::TScreenParams(const QString& code, const QVariantList& params, int count)
    : m_code(code), m_params(params) {
    if (params.size() != count)
        throw Exception(QStringLiteral("A tela %1 espera %2 parâmetros e recebeu %3.")
                            .arg(code)
                            .arg(count)
                            .arg(params.size()));
}

void TScreenParams::WrongKind(int i, const char* name, const QString& kind) const {
    throw Exception(QStringLiteral("O parâmetro %1 (%2) da tela %3 deve ser %4.")
                        .arg(i + 1)
                        .arg(QString::fromLatin1(name), m_code, kind));
}

QString TScreenParams::String(int i, const char* name) const {
    const QVariant& v = m_params.at(i);
    if (v.typeId() != QMetaType::QString)
        WrongKind(i, name, QStringLiteral("um texto"));
    return v.toString();
}

bool TScreenParams::Bool(int i, const char* name) const {
    const QVariant& v = m_params.at(i);
    if (v.typeId() != QMetaType::Bool)
        WrongKind(i, name, QStringLiteral("verdadeiro ou falso"));
    return v.toBool();
}

int TScreenParams::Int(int i, const char* name) const {
    const QVariant& v = m_params.at(i);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (ok && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            return static_cast<int>(n);
        break;
    }
    default:
        break;
    }
    WrongKind(i, name, QStringLiteral("um número inteiro"));
}

TDataSource* TScreenParams::DataSource(int i, const char* name) const {
    const int handle = Int(i, name);
    if (handle == 0)
        WrongKind(i, name, QStringLiteral("a referência de uma fonte de dados"));
    return DataSourceFromHandle(handle);
}
