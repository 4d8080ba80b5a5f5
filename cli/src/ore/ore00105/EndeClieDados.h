#pragma once

#include <QString>

#include <vector>

class TRecordSet;

// The budget a new client is registered for.
struct TChaveOrca {
    QString filial; // CDFILIAL
    QString numero; // NRORCAEVENTO
    QString seq;    // NRSEQORCAEVE
};

// One contact person of the new client (a row of cdsInteclieOrev).
struct TContatoClie {
    QString nome, cargo, telefone, email;
    bool Vazio() const;
};

// What the operator enters on the screen: the row of cdsEndeNovoClie of one
// budget, and its contacts.
struct TEndeClie {
    QString tipo;      // "F" individual, "J" company
    QString inscricao; // digits only
    QString fantasia, razao;
    QString pais, nmPais, estado, municipio, nmMunicipio;
    QString endereco, bairro, complemento, cep;
    QString telefone, ramal, celular, fax, email, contato;
    std::vector<TContatoClie> contatos;

    // Any field of the main address given.
    bool TemEndereco() const;
};

// The fields of each record set that the screen reads and writes; a record
// set without one of them is not the one the screen was meant for.
QStringList CamposEndeNovoClie();
QStringList CamposInteclieOrev();

// The row of `key` in `ende` (and its contacts in `contatos`), or nothing
// when `ende` has no row of that budget.
bool LeEndeClie(TRecordSet& ende, TRecordSet& contatos, const TChaveOrca& key, TEndeClie& out);

// Writes `dados` as the one row of `key` in `ende`, replacing the budget's
// earlier row, and its contacts as the only rows of `key` in `contatos`, as
// pending changes. Rows of other budgets stay as they are; the row written is
// left the current one of `ende`, where the closing reads it.
void GravaEndeClie(TRecordSet& ende, TRecordSet& contatos, const TChaveOrca& key,
                   const TEndeClie& dados);
