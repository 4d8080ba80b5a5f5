#pragma once

#include <QString>

// Brazilian registration numbers of persons: 11 digits for an individual
// (kind "F"), 14 for a company (kind "J"), the last two of each being mod-11
// check digits of the ones before.

// True when `number`, with or without its mask's literals (see
// Ajusta_Inscricao), is a registration number of `kind` ("F" or "J", either
// case): the length of the kind, correct check digits, and not a run of one
// digit repeated (those pass the check digits but are never issued).
bool InscricaoValida(const QString& kind, const QString& number);
