#pragma once

#include "ore/ore00105/EndeClieDados.h"

#include <optional>

// The controls a refusal sends the operator to.
enum class TCampoEndeClie {
    Tipo,
    Inscricao,
    Fantasia,
    Pais,
    Estado,
    Municipio,
    Endereco,
    Contatos
};

struct TRecusaEndeClie {
    QString texto;
    TCampoEndeClie campo;
};

// What keeps `dados` from being confirmed, the first thing first: a kind
// other than "F" or "J", a registration number not valid for its kind, no
// trade name, an address given in part (country, state, municipality and
// street go together), a contact without a name.
std::optional<TRecusaEndeClie> VerificaEndeClie(const TEndeClie& dados);
