#include "tests/ore00105/EndeClieTestUtil.h"

namespace {

TEST_F(EndeClieTest, WrongParametersAreRefusedBeforeTheScreenShows) {
    TRecordSet foreign(LayoutExisteContratante());
    foreign.CreateDataSet();
    TDataSource dtsForeign, dtsNone;
    dtsForeign.SetDataSet(&foreign);
    auto stale = std::make_unique<TDataSource>();
    const int staleHandle = DataSourceHandle(stale.get());
    stale.reset();

    const auto with = [this](int i, const QVariant& v) {
        QVariantList p = Params();
        p[i] = v;
        return p;
    };
    const struct {
        const char* what;
        QVariantList params;
        QString refusal;
    } cases[] = {
        {"five values", Params().mid(0, 5),
         QStringLiteral("A tela ORE00105 espera 6 parâmetros e recebeu 5.")},
        {"branch as a number", with(0, 1),
         QStringLiteral("O parâmetro 1 (CDFILIAL) da tela ORE00105 deve ser um texto.")},
        {"Boolean as a text", with(3, QStringLiteral("S")),
         QStringLiteral("O parâmetro 4 (novo cliente) da tela ORE00105 deve ser verdadeiro ou "
                        "falso.")},
        {"false", with(3, false),
         QStringLiteral("A tela ORE00105 só cadastra um cliente novo: o parâmetro 4 deve ser "
                        "verdadeiro.")},
        {"handle as a text", with(5, QStringLiteral("7")),
         QStringLiteral("O parâmetro 6 (dtsInteclieOrev) da tela ORE00105 deve ser um número "
                        "inteiro.")},
        {"stale handle", with(4, staleHandle),
         QStringLiteral("Referência a fonte de dados inválida: %1.").arg(staleHandle)},
        {"another screen's list", with(4, DataSourceHandle(&dtsForeign)),
         QStringLiteral("O parâmetro 5 (dtsEndeNovoClie) da tela ORE00105 não é a fonte de dados "
                        "do endereço do cliente novo: falta o campo CDFILIAL.")},
        {"a source of nothing", with(4, DataSourceHandle(&dtsNone)),
         QStringLiteral("O parâmetro 5 (dtsEndeNovoClie) da tela ORE00105 não é a fonte de dados "
                        "do endereço do cliente novo: ela não mostra um conjunto de dados aberto "
                        "que se possa alterar.")},
        {"handles swapped", with(5, DataSourceHandle(&dtsEndeNovoClie)),
         QStringLiteral("O parâmetro 6 (dtsInteclieOrev) da tela ORE00105 não é a fonte de dados "
                        "dos contatos do cliente novo: falta o campo CDINTECLIEOREV.")},
        {"unknown budget", Params(QStringLiteral("0000000099")),
         QStringLiteral("O orçamento 0000000099-00 da filial 0001 não existe: a tela ORE00105 não "
                        "pode cadastrar o cliente dele.")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Open(c.params, [](QDialog&) {}), c.refusal) << c.what;
    EXPECT_EQ(cdsEndeNovoClie.RecordCount() + cdsInteclieOrev.RecordCount(), 0);
}

} // namespace
