#include "bench/BenchData.h"

#include "core/data/RecordSet.h"
#include "core/layouts/OrcaLayouts.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

// ---- generator and plain rows -------------------------------------------------

std::uint64_t TBenchRng::Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int TBenchRng::Int(int lo, int hi) {
    return lo + int(Next() % std::uint64_t(hi - lo + 1));
}

double TBenchRng::Real() {
    return double(Next() >> 11) * (1.0 / 9007199254740992.0);
}

TPlainTable::TPlainTable(TFieldDefs defs) : m_defs(std::move(defs)) {
    for (const auto& d : m_defs) {
        const bool text = d.kind == TFieldKind::String || d.kind == TFieldKind::Memo;
        m_isText.push_back(text);
        m_slot.push_back(d.calculated ? -1 : text ? m_textCount++ : m_numCount++);
    }
}

int TPlainTable::FieldIndex(const QString& name) const {
    for (size_t i = 0; i < m_defs.size(); ++i)
        if (m_defs[i].name == name)
            return int(i);
    return -1;
}

int TPlainTable::CheckedField(const char* name, bool text) const {
    const auto known = m_byName.find(name);
    const int f = known != m_byName.end() ? known->second : FieldIndex(QString::fromLatin1(name));
    if (f < 0 || m_slot[size_t(f)] < 0 || m_isText[size_t(f)] != text)
        throw std::logic_error(std::string("no such plain field: ") + name);
    m_byName.emplace(name, f);
    return f;
}

void TPlainTable::Reserve(size_t rows) {
    m_text.reserve(rows * size_t(m_textCount));
    m_num.reserve(rows * size_t(m_numCount));
}

size_t TPlainTable::AddRow() {
    m_text.resize(m_text.size() + size_t(m_textCount));
    m_num.resize(m_num.size() + size_t(m_numCount));
    return m_rows++;
}

void TPlainTable::Set(size_t row, const char* field, std::string v) {
    m_text[row * size_t(m_textCount) + size_t(m_slot[size_t(CheckedField(field, true))])] =
        std::move(v);
}

void TPlainTable::Set(size_t row, const char* field, double v) {
    m_num[row * size_t(m_numCount) + size_t(m_slot[size_t(CheckedField(field, false))])] = v;
}

namespace {

// ---- catalogues -----------------------------------------------------------------

std::string Digits(long long n, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", width, n);
    return buf;
}

double Cents(double v) {
    return std::round(v * 100.0) / 100.0;
}

// At most `chars` characters (code points) of UTF-8 text, without a trailing blank.
std::string CutChars(const std::string& s, size_t chars) {
    size_t count = 0, i = 0;
    for (; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (count == chars)
                break;
            ++count;
        }
    }
    std::string out = s.substr(0, i);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

size_t CharCount(const std::string& s) {
    return size_t(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

template <size_t N> const char* Pick(TBenchRng& rng, const char* const (&list)[N]) {
    return list[rng.Int(0, int(N) - 1)];
}

// A name of 20 to 40 characters built from the given parts.
template <size_t A, size_t B, size_t C>
std::string Name(TBenchRng& rng, const char* const (&head)[A], const char* const (&middle)[B],
                 const char* const (&tail)[C]) {
    std::string s = std::string(Pick(rng, head)) + ' ' + Pick(rng, middle);
    while (CharCount(s) < 20)
        s += std::string(" ") + Pick(rng, tail);
    if (rng.Chance(0.5) && CharCount(s) < 32)
        s += std::string(" ") + Pick(rng, tail);
    return CutChars(s, 40);
}

const char* const kProductHead[] = {
    "Refrigerante",   "Água mineral",    "Suco natural",     "Cerveja",          "Vinho tinto",
    "Vinho branco",   "Espumante",       "Salgado frito",    "Salgado assado",   "Canapé",
    "Mini sanduíche", "Bolo decorado",   "Doce fino",        "Bem-casado",       "Brigadeiro",
    "Torta",          "Mesa de frios",   "Buffet de massas", "Risoto",           "Filé mignon",
    "Salmão",         "Camarão",         "Toalha de mesa",   "Guardanapo",       "Cadeira",
    "Mesa redonda",   "Taça de cristal", "Prato raso",       "Talher",           "Arranjo floral",
    "Buquê",          "Iluminação",      "Painel de LED",    "Som ambiente",     "Tenda",
    "Gerador",        "Gelo em cubos",   "Café expresso",    "Chocolate quente", "Sorvete",
};
const char* const kProductMiddle[] = {
    "sem gás",   "com gás",   "lata 350ml", "long neck",    "garrafa 750ml", "seco",
    "suave",     "brut",      "sortido",    "gourmet",      "tradicional",   "integral",
    "de queijo", "de frango", "de palmito", "três andares", "de chocolate",  "de nozes",
    "ao molho",  "grelhado",  "branca",     "dourada",      "Tiffany",       "de linho",
    "redonda",   "quadrada",  "para vinho", "para água",    "inox",          "de centro",
    "de rosas",  "cênica",    "de fundo",   "com DJ",       "cristal",       "10x10",
};
const char* const kProductTail[] = {
    "premium", "de luxo",   "caixa c/ 12", "pacote c/ 50", "unidade", "por pessoa",
    "kit",     "reforçado", "tamanho G",   "tamanho M",    "diet",    "orgânico",
};
const char* const kUnits[] = {"UN", "KG", "CX", "PCT", "LT", "DZ", "PES", "JG", "MT", "HR"};

const char* const kSupplierHead[] = {
    "Distribuidora", "Buffet",     "Decorações", "Floricultura", "Confeitaria", "Locadora",
    "Som e Luz",     "Comercial",  "Adega",      "Panificadora", "Estúdio",     "Tendas",
    "Gelo",          "Lavanderia", "Doceria",    "Cozinha",
};
const char* const kSupplierMiddle[] = {
    "São Jorge",     "Bela Vista",    "Primavera",   "Santa Clara", "Estrela",  "Aurora",
    "Vale Verde",    "Boa Esperança", "Ipê Amarelo", "Três Irmãos", "Real",     "Monte Alto",
    "Nossa Senhora", "Jardim",        "Serra Azul",  "Paraíso",     "Imperial", "Cristal",
};
const char* const kSupplierTail[] = {"Eventos", "Bebidas",  "Festas",   "Alimentos",
                                     "e Cia",   "Serviços", "Locações", "do Brasil"};
const char* const kCompanyForm[] = {" Ltda", " ME", " EIRELI", " S/A", " Ltda EPP"};

const char* const kLabourRole[] = {
    "Garçom",
    "Copeira",
    "Maître",
    "Cozinheiro",
    "Auxiliar de cozinha",
    "Recepcionista bilíngue",
    "Segurança",
    "Manobrista",
    "Barman",
    "Churrasqueiro",
    "Eletricista",
    "Técnico de som",
    "Fotógrafo",
    "Cerimonialista",
    "Chapeleira",
    "Faxineira",
};
const char* const kLabourDetail[] = {
    "serviço volante", "plantão", "turno completo", "meio turno", "com uniforme",
    "coordenação",     "apoio",   "extra",          "noturno",    "diurno",
};
const char* const kShift[] = {"Manhã", "Tarde", "Noite", "Madrugada"};

struct TProduct {
    std::string code, name, unit, group, tree;
    double price;
    int kind; // how quantities look: 0 units, 1 weight, 2 per person, 3 hours
};

struct TSupplier {
    std::string id, fantasy, company, type;
};

std::vector<TProduct> MakeProducts(TBenchRng& rng, int n) {
    std::vector<TProduct> out;
    for (int i = 0; i < n; ++i) {
        TProduct p;
        p.code = Digits(100000 + i * 7 + rng.Int(0, 6), 10);
        p.name = Name(rng, kProductHead, kProductMiddle, kProductTail);
        p.unit = Pick(rng, kUnits);
        const int group = rng.Int(1, 15);
        p.group = Digits(group, 3);
        p.tree =
            Digits(group, 2) + "." + Digits(rng.Int(1, 9), 2) + "." + Digits(rng.Int(1, 40), 3);
        p.price = Cents(std::exp(rng.Real(std::log(0.5), std::log(2500.0))));
        p.kind = p.unit == "KG" || p.unit == "LT" ? 1
                 : p.unit == "PES"                ? 2
                 : p.unit == "HR"                 ? 3
                                                  : 0;
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<TSupplier> MakeSuppliers(TBenchRng& rng, int n) {
    std::vector<TSupplier> out;
    for (int i = 0; i < n; ++i) {
        TSupplier s;
        const bool person = rng.Chance(0.05);
        s.type = person ? "F" : "J";
        s.id = person ? Digits(rng.Int(1000000, 99999999) * 1000LL + rng.Int(0, 999), 11)
                      : Digits(rng.Int(10000000, 99999999) * 1000000LL + rng.Int(1, 9999) * 100 +
                                   rng.Int(0, 99),
                               14);
        s.fantasy = Name(rng, kSupplierHead, kSupplierMiddle, kSupplierTail);
        s.company = CutChars(s.fantasy + Pick(rng, kCompanyForm), 40);
        out.push_back(std::move(s));
    }
    return out;
}

double Quantity(TBenchRng& rng, int kind) {
    switch (kind) {
    case 1:
        return std::round(rng.Real(0.5, 80.0) * 1000.0) / 1000.0;
    case 2:
        return rng.Int(30, 500);
    case 3:
        return rng.Int(4, 12);
    default:
        return rng.Int(1, 300);
    }
}

// Splits `total` rows among the budgets in proportion to their weights.
std::vector<int> Spread(TBenchRng& rng, const std::vector<double>& weights, size_t total) {
    std::vector<double> cumulative(weights.size());
    double sum = 0;
    for (size_t i = 0; i < weights.size(); ++i)
        cumulative[i] = sum += weights[i];
    std::vector<int> counts(weights.size(), 0);
    for (size_t n = 0; n < total; ++n) {
        const double at = rng.Real() * sum;
        const size_t i =
            size_t(std::upper_bound(cumulative.begin(), cumulative.end(), at) - cumulative.begin());
        ++counts[std::min(i, counts.size() - 1)];
    }
    return counts;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

TDataPacket PacketFromPlain(const TPlainTable& table) {
    TRecordSet rs(table.Defs());
    rs.CreateDataSet();
    for (size_t r = 0; r < table.RowCount(); ++r) {
        rs.Append();
        for (int f = 0; f < table.FieldCount(); ++f) {
            const int slot = table.Slot(f);
            if (slot < 0)
                continue;
            if (table.IsText(f)) {
                const std::string& s = table.Text(r, slot);
                rs.Fields(f).SetAsString(QString::fromUtf8(s.data(), qsizetype(s.size())));
            } else if (const double v = table.Num(r, slot);
                       v != 0 || table.Defs()[size_t(f)].kind != TFieldKind::DateTime) {
                rs.Fields(f).SetAsFloat(v); // a date of 0 stays null
            }
        }
        rs.Post();
    }
    rs.MergeChangeLog();
    return rs.Data();
}

TBranchData GenerateBranch(const TBranchSize& size, std::uint64_t seed) {
    TBenchRng rng(seed);
    const std::vector<TProduct> products = MakeProducts(rng, 3000);
    const std::vector<TProduct> services = [&] {
        std::vector<TProduct> out;
        for (int i = 0; i < 120; ++i) {
            TProduct p;
            p.code = Digits(900000 + i, 10);
            p.name = CutChars(
                std::string(Pick(rng, kLabourRole)) + " - " + Pick(rng, kLabourDetail), 50);
            p.unit = rng.Chance(0.7) ? "PES" : "HR";
            p.group = "090";
            p.tree = "90." + Digits(rng.Int(1, 9), 2) + "." + Digits(i, 3);
            p.price = Cents(rng.Real(80.0, 400.0));
            out.push_back(std::move(p));
        }
        return out;
    }();
    const std::vector<TSupplier> suppliers = MakeSuppliers(rng, 400);

    // Budgets: increasing numbers with gaps, some with a child sequence. Each
    // key gets a size factor, so that big budgets have many items and much labour.
    TBranchData out{{}, TPlainTable(LayoutItemOrcaEven()), TPlainTable(LayoutItMaoObra()), {}, {}};
    std::vector<double> weights;
    std::vector<double> eventDates;
    long long number = 12000;
    const double firstDay = 44562; // 2022-01-01
    for (int b = 0; b < size.budgets; ++b) {
        number += rng.Int(1, 4);
        const QString nr = QString::fromStdString(Digits(number, 10));
        const double day = firstDay + rng.Int(0, 4 * 365);
        const int seqs = rng.Chance(size.childShare) ? 2 : 1;
        for (int s = 0; s < seqs; ++s) {
            out.keys.push_back({nr, s == 0 ? QStringLiteral("00") : QStringLiteral("01")});
            // Mostly mid-sized budgets, a few very large ones.
            const double w = rng.Chance(0.05) ? rng.Real(3.0, 8.0) : rng.Real(0.1, 1.6);
            weights.push_back(s == 0 ? w : w * 0.5);
            eventDates.push_back(day);
        }
    }
    const std::vector<int> itemCounts = Spread(rng, weights, size.items);
    const std::vector<int> labourCounts = Spread(rng, weights, size.labour);
    out.items.Reserve(size.items);
    out.labour.Reserve(size.labour);

    for (size_t k = 0; k < out.keys.size(); ++k) {
        const std::string nr = out.keys[k].number.toStdString();
        const std::string seq = out.keys[k].seq.toStdString();
        const double day = eventDates[k];
        for (int i = 0; i < itemCounts[k]; ++i) {
            TPlainTable& t = out.items;
            const TProduct& p = products[size_t(rng.Int(0, int(products.size()) - 1))];
            const TSupplier& s = suppliers[size_t(rng.Int(0, int(suppliers.size()) - 1))];
            const double qt = Quantity(rng, p.kind);
            const double vr = Cents(p.price * rng.Real(0.9, 1.15));
            const double gross = qt * vr;
            const size_t r = t.AddRow();
            t.Set(r, "CDFILIAL", "0001");
            t.Set(r, "NRORCAEVENTO", nr);
            t.Set(r, "NRITEMORCEVE", Digits(i + 1, 10));
            t.Set(r, "CDPRODUTO", p.code);
            t.Set(r, "QTITEMORCEVE", qt);
            t.Set(r, "VRITEMORCEVE", vr);
            t.Set(r, "VRDESCITOREV", rng.Chance(0.12) ? Cents(gross * rng.Real(0.02, 0.15)) : 0.0);
            t.Set(r, "VRACREITOREV", rng.Chance(0.05) ? Cents(gross * rng.Real(0.01, 0.10)) : 0.0);
            t.Set(r, "IDITOREVPROD", rng.Chance(0.85) ? "P" : "S");
            t.Set(r, "NROPCAITOREV", rng.Chance(0.8) ? "01" : rng.Chance(0.75) ? "02" : "03");
            t.Set(r, "CDGRTOTAPROD", p.group);
            t.Set(r, "CDARVPROD", p.tree);
            t.Set(r, "NMPRODUTO", p.name);
            t.Set(r, "SGUNIDADE", p.unit);
            t.Set(r, "NRINSJURFORN", s.id);
            t.Set(r, "NMFANTFORN", s.fantasy);
            t.Set(r, "NMRAZSOCFORN", s.company);
            t.Set(r, "IDTPIJURFORN", s.type);
            t.Set(r, "NRSEQORCAEVE", seq);
            t.Set(r, "VRPGFORNOREV", Cents(gross * rng.Real(0.55, 0.8)));
            // Not yet paid: no date.
            t.Set(r, "DTPGFORNOREV", rng.Chance(0.35) ? 0.0 : day - rng.Int(0, 30));
            t.Set(r, "IDFATUITEMOREV", rng.Chance(0.9) ? "S" : "N");
            t.Set(r, "IDCUSTOFIXO", rng.Chance(0.92) ? "N" : "S");
        }
        for (int i = 0; i < labourCounts[k]; ++i) {
            TPlainTable& t = out.labour;
            const TProduct& p = services[size_t(rng.Int(0, int(services.size()) - 1))];
            const int shift = rng.Int(0, 3);
            const double charged = Cents(p.price * rng.Real(0.95, 1.1));
            const size_t r = t.AddRow();
            t.Set(r, "CDFILIAL", "0001");
            t.Set(r, "NRORCAEVENTO", nr);
            t.Set(r, "NRTURNO", Digits(shift + 1, 2));
            t.Set(r, "CDPRODUTO", p.code);
            t.Set(r, "QTPRODMOBRA", double(rng.Int(1, 40)));
            t.Set(r, "VRCOBRMOBRA", charged);
            t.Set(r, "VRPAGOMOBRA", Cents(charged * rng.Real(0.6, 0.8)));
            t.Set(r, "CDARVPROD", p.tree);
            t.Set(r, "SGUNIDADE", p.unit);
            t.Set(r, "NMPRODUTO", p.name);
            t.Set(r, "DSTURNO", kShift[shift]);
            t.Set(r, "CDGRTOTAPROD", p.group);
            t.Set(r, "NRSEQORCAEVE", seq);
            t.Set(r, "IDMOBRAEXTRA", rng.Chance(0.1) ? "S" : "N");
        }
    }

    auto start = std::chrono::steady_clock::now();
    out.itemPacket = PacketFromPlain(out.items);
    out.itemBuildSeconds = Seconds(start);
    start = std::chrono::steady_clock::now();
    out.labourPacket = PacketFromPlain(out.labour);
    out.labourBuildSeconds = Seconds(start);
    return out;
}
