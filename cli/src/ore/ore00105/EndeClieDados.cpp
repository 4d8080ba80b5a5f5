#include "ore/ore00105/EndeClieDados.h"

#include "core/data/DataSet.h"
#include "core/data/Field.h"
#include "core/data/RecordSet.h"
#include "framework/services/HostText.h"

#include <QStringList>

#include <utility>

namespace {

using TCampo = std::pair<const char*, QString TEndeClie::*>;
using TCampoContato = std::pair<const char*, QString TContatoClie::*>;

const TCampo kCampos[] = {
    {"IDTPINJUORCA", &TEndeClie::tipo},
    {"NRINSJURORCA", &TEndeClie::inscricao},
    {"NMFANTCLIE", &TEndeClie::fantasia},
    {"NMRAZSOCCLIE", &TEndeClie::razao},
    {"CDPAIS", &TEndeClie::pais},
    {"NMPAIS", &TEndeClie::nmPais},
    {"SGESTADO", &TEndeClie::estado},
    {"CDMUNICIPIO", &TEndeClie::municipio},
    {"NMMUNICIPIO", &TEndeClie::nmMunicipio},
    {"DSENDECLIORE", &TEndeClie::endereco},
    {"NMBAIRCLIORE", &TEndeClie::bairro},
    {"DSCOENDCLORE", &TEndeClie::complemento},
    {"NRCEPCLIEORE", &TEndeClie::cep},
    {"NRTELECLIORE", &TEndeClie::telefone},
    {"NRRAMACLIORE", &TEndeClie::ramal},
    {"NRCELCLIORE1", &TEndeClie::celular},
    {"NRFAXCLIEORE", &TEndeClie::fax},
    {"DSEMAILCLOR1", &TEndeClie::email},
    {"NMCONTCLIORE", &TEndeClie::contato},
};

const TCampoContato kCamposContato[] = {
    {"NMINTECLIEOREV", &TContatoClie::nome},
    {"DSCARGINCLOREV", &TContatoClie::cargo},
    {"NRTEL1INCLOREV", &TContatoClie::telefone},
    {"DSEMAILICLOREV", &TContatoClie::email},
};

const char* const kChave[] = {"CDFILIAL", "NRORCAEVENTO", "NRSEQORCAEVE"};
const char* const kNrContato = "CDINTECLIEOREV";

QString Texto(const TRecordSet& rs, const char* field) {
    return rs.FieldByName(QString::fromLatin1(field)).AsString().trimmed();
}

// Empty values travel as null, as the fields of a row never filled.
void Poe(TRecordSet& rs, const char* field, const QString& value) {
    TField& f = rs.FieldByName(QString::fromLatin1(field));
    if (value.isEmpty())
        f.Clear();
    else
        f.SetAsString(value);
}

bool DaChave(const TRecordSet& rs, const TChaveOrca& key) {
    return Texto(rs, "CDFILIAL") == key.filial && Texto(rs, "NRORCAEVENTO") == key.numero &&
           Texto(rs, "NRSEQORCAEVE") == key.seq;
}

void PoeChave(TRecordSet& rs, const TChaveOrca& key) {
    Poe(rs, "CDFILIAL", key.filial);
    Poe(rs, "NRORCAEVENTO", key.numero);
    Poe(rs, "NRSEQORCAEVE", key.seq);
}

bool AchaLinha(TRecordSet& rs, const TChaveOrca& key) {
    for (rs.First(); !rs.Eof(); rs.Next())
        if (DaChave(rs, key))
            return true;
    return false;
}

// Edits of one row: a failure leaves the record set as it was.
template <class Fn> void EditaLinha(TRecordSet& rs, Fn&& fill) {
    try {
        fill();
        rs.Post();
    } catch (...) {
        rs.Cancel();
        throw;
    }
}

void GravaContatos(TRecordSet& rs, const TChaveOrca& key,
                   const std::vector<TContatoClie>& contatos) {
    rs.First();
    while (!rs.Eof()) {
        if (DaChave(rs, key))
            rs.Delete(); // the next row becomes current
        else
            rs.Next();
    }
    int nr = 0;
    for (const TContatoClie& c : contatos) {
        if (c.Vazio())
            continue;
        rs.Append();
        EditaLinha(rs, [&] {
            PoeChave(rs, key);
            Poe(rs, kNrContato, QString::number(++nr).rightJustified(2, u'0'));
            for (const auto& [field, member] : kCamposContato)
                Poe(rs, field, c.*member);
        });
    }
}

} // namespace

bool TContatoClie::Vazio() const {
    return EmptyString(nome) && EmptyString(cargo) && EmptyString(telefone) && EmptyString(email);
}

bool TEndeClie::TemEndereco() const {
    for (const QString* v : {&pais, &estado, &municipio, &endereco, &bairro, &complemento, &cep})
        if (!EmptyString(*v))
            return true;
    return false;
}

QStringList CamposEndeNovoClie() {
    QStringList names;
    for (const char* k : kChave)
        names << QString::fromLatin1(k);
    for (const auto& c : kCampos)
        names << QString::fromLatin1(c.first);
    return names;
}

QStringList CamposInteclieOrev() {
    QStringList names;
    for (const char* k : kChave)
        names << QString::fromLatin1(k);
    names << QString::fromLatin1(kNrContato);
    for (const auto& c : kCamposContato)
        names << QString::fromLatin1(c.first);
    return names;
}

bool LeEndeClie(TRecordSet& ende, TRecordSet& contatos, const TChaveOrca& key, TEndeClie& out) {
    // Read without moving: the caller's current rows stay where they were.
    bool achou = false;
    for (int r = 1; r <= ende.RecordCount() && !achou; ++r)
        ende.ReadRow(r, [&] {
            if (!DaChave(ende, key))
                return;
            achou = true;
            for (const auto& [field, member] : kCampos)
                out.*member = Texto(ende, field);
        });
    if (!achou)
        return false;
    out.contatos.clear();
    for (int r = 1; r <= contatos.RecordCount(); ++r)
        contatos.ReadRow(r, [&] {
            if (!DaChave(contatos, key))
                return;
            TContatoClie c;
            for (const auto& [field, member] : kCamposContato)
                c.*member = Texto(contatos, field);
            out.contatos.push_back(c);
        });
    return true;
}

void GravaEndeClie(TRecordSet& ende, TRecordSet& contatos, const TChaveOrca& key,
                   const TEndeClie& dados) {
    const TControlsDisabled quietEnde(ende), quietContatos(contatos);
    GravaContatos(contatos, key, dados.contatos);
    if (AchaLinha(ende, key))
        ende.Edit();
    else
        ende.Append();
    EditaLinha(ende, [&] {
        PoeChave(ende, key);
        for (const auto& [field, member] : kCampos)
            Poe(ende, field, dados.*member);
    });
}
