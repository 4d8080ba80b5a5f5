#include "framework/services/Registration.h"

#include "framework/services/HostText.h"

#include <span>

namespace {

// The check digit of `digits` under `weights` (one per digit, in order).
int CheckDigit(const QString& digits, std::span<const int> weights) {
    int sum = 0;
    for (size_t i = 0; i < weights.size(); ++i)
        sum += digits.at(qsizetype(i)).digitValue() * weights[i];
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

bool CheckDigitsMatch(const QString& digits, std::span<const int> first,
                      std::span<const int> second) {
    const auto at = [&digits](size_t i) { return digits.at(qsizetype(i)).digitValue(); };
    return CheckDigit(digits, first) == at(first.size()) &&
           CheckDigit(digits, second) == at(second.size());
}

} // namespace

bool InscricaoValida(const QString& kind, const QString& number) {
    static constexpr int individual1[] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr int individual2[] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr int company1[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr int company2[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

    QString digits = number;
    const QString lengthKind = Ajusta_Inscricao(digits);
    const QString wanted = kind.trimmed().toUpper();
    if (lengthKind.isEmpty() || lengthKind != wanted)
        return false;
    if (digits.count(digits.front()) == digits.size())
        return false;
    return wanted == u"F" ? CheckDigitsMatch(digits, individual1, individual2)
                          : CheckDigitsMatch(digits, company1, company2);
}
