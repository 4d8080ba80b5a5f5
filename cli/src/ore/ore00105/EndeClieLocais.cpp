#include "ore/ore00105/EndeClieLocais.h"
#include "ore/ore00105/EndeClieSql.h"

#include "framework/db/AdoIbQuery.h"
#include "framework/services/Dispatch.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

// Fills `combo` with the rows of `sql` (code, name), each named by its name
// and holding its code, after an empty entry.
void Limpa(QComboBox* combo) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItem(QString(), QString());
}

void Enche(QComboBox* combo, const QStringList& sql, const QList<QPair<QString, QString>>& params) {
    Limpa(combo);
    const QSignalBlocker quiet(combo);
    TADOIBQuery q({StrField(QStringLiteral("CODIGO"), 4), StrField(QStringLiteral("NOME"), 30)});
    q.SQL = sql;
    for (const auto& [name, value] : params)
        q.ParamByName(name).SetAsString(value);
    q.Open();
    for (q.First(); !q.Eof(); q.Next())
        combo->addItem(q.FieldByName(QStringLiteral("NOME")).AsString(),
                       q.FieldByName(QStringLiteral("CODIGO")).AsString());
}

// Without the change handlers: the caller fills the next combo itself.
void Seleciona(QComboBox* combo, const QString& code) {
    const QSignalBlocker quiet(combo);
    const int i = combo->findData(code);
    combo->setCurrentIndex(i < 0 ? 0 : i);
}

QString Codigo(const QComboBox* combo) {
    return combo->currentData().toString();
}

QString Nome(const QComboBox* combo) {
    return Codigo(combo).isEmpty() ? QString() : combo->currentText();
}

} // namespace

TEndeClieLocais::TEndeClieLocais(QComboBox* pais, QComboBox* estado, QComboBox* municipio,
                                 QObject* parent)
    : QObject(parent), m_pais(pais), m_estado(estado), m_municipio(municipio) {
    connect(m_pais, &QComboBox::currentIndexChanged, this,
            [this] { Dispatch([this] { PaisMudou(); }); });
    connect(m_estado, &QComboBox::currentIndexChanged, this,
            [this] { Dispatch([this] { EstadoMudou(); }); });
}

void TEndeClieLocais::Carrega() {
    Enche(m_pais, EndeClieSql::Paises(), {});
    Limpa(m_estado);
    Limpa(m_municipio);
}

void TEndeClieLocais::PaisMudou() {
    Limpa(m_municipio);
    if (Pais().isEmpty()) {
        Limpa(m_estado);
        return;
    }
    Enche(m_estado, EndeClieSql::Estados(), {{QStringLiteral("P_CDPAIS"), Pais()}});
}

void TEndeClieLocais::EstadoMudou() {
    if (Estado().isEmpty()) {
        Limpa(m_municipio);
        return;
    }
    Enche(m_municipio, EndeClieSql::Municipios(),
          {{QStringLiteral("P_CDPAIS"), Pais()}, {QStringLiteral("P_SGESTADO"), Estado()}});
}

void TEndeClieLocais::Escolhe(const QString& pais, const QString& estado,
                              const QString& municipio) {
    Seleciona(m_pais, pais);
    PaisMudou();
    Seleciona(m_estado, estado);
    EstadoMudou();
    Seleciona(m_municipio, municipio);
}

QString TEndeClieLocais::Pais() const {
    return Codigo(m_pais);
}
QString TEndeClieLocais::NomePais() const {
    return Nome(m_pais);
}
QString TEndeClieLocais::Estado() const {
    return Codigo(m_estado);
}
QString TEndeClieLocais::Municipio() const {
    return Codigo(m_municipio);
}
QString TEndeClieLocais::NomeMunicipio() const {
    return Nome(m_municipio);
}
